#include "engine/chromium/SourcePlaces.h"

#include <QByteArray>

#include <algorithm>

#include <gumbo.h>

namespace lw {

namespace {

struct Parse {
    explicit Parse(const QString& text)
        : utf8(text.toUtf8()),
          output(gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), size_t(utf8.size()))) {}
    ~Parse() { gumbo_destroy_output(&kGumboDefaultOptions, output); }
    Parse(const Parse&) = delete;
    Parse& operator=(const Parse&) = delete;

    qsizetype toUtf16(size_t byteOffset) const {
        return QString::fromUtf8(utf8.constData(), std::min(qsizetype(byteOffset), utf8.size())).size();
    }
    size_t toUtf8(const QString& text, qsizetype offset) const {
        return size_t(text.left(std::clamp<qsizetype>(offset, 0, text.size())).toUtf8().size());
    }

    QByteArray utf8;
    GumboOutput* output;
};

bool isElement(const GumboNode* node) {
    return node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE;
}

const GumboVector& childrenOf(const GumboNode* node) {
    return node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
}

// The element children of node, in order.
QList<const GumboNode*> elementsOf(const GumboNode* node) {
    QList<const GumboNode*> elements;
    const GumboVector& children = childrenOf(node);
    for (unsigned i = 0; i < children.length; ++i) {
        const auto* child = static_cast<const GumboNode*>(children.data[i]);
        if (isElement(child))
            elements.append(child);
    }
    return elements;
}

bool hasStartTag(const GumboNode* node) {
    return node->v.element.original_tag.length > 0;
}

// The byte range of an element written in the markup; implied ones have none.
std::pair<size_t, size_t> bytesOf(const GumboNode* node) {
    const GumboElement& element = node->v.element;
    const size_t end = element.original_end_tag.length > 0
                           ? element.end_pos.offset + element.original_end_tag.length
                           : std::max<size_t>(element.end_pos.offset, element.start_pos.offset + element.original_tag.length);
    return {element.start_pos.offset, end};
}

// The deepest element the path reaches that was written in the markup.
const GumboNode* follow(const GumboOutput* output, const QList<int>& path) {
    const GumboNode* node = output->document;
    const GumboNode* written = nullptr;
    for (const int index : path) {
        const QList<const GumboNode*> elements = elementsOf(node);
        if (index < 0 || index >= elements.size())
            break;
        node = elements.at(index);
        if (hasStartTag(node))
            written = node;
    }
    return written;
}

} // namespace

SourceRange sourceRangeOfPath(const QString& text, const QList<int>& path) {
    const Parse parse(text);
    const GumboNode* node = follow(parse.output, path);
    if (!node)
        return {};
    const auto [start, end] = bytesOf(node);
    return {parse.toUtf16(start), parse.toUtf16(end)};
}

qsizetype sourceContentStartOfPath(const QString& text, const QList<int>& path) {
    const Parse parse(text);
    const GumboNode* node = follow(parse.output, path);
    if (!node)
        return -1;
    return parse.toUtf16(node->v.element.start_pos.offset + node->v.element.original_tag.length);
}

QList<int> sourcePathAt(const QString& text, qsizetype offset) {
    const Parse parse(text);
    const size_t at = parse.toUtf8(text, offset);
    QList<int> path;
    const GumboNode* node = parse.output->document;
    // Past an element's end (markup after </body> or </html>, which the parser puts inside
    // them) the nearest element before the offset is the place.
    bool inside = true;
    for (;;) {
        const QList<const GumboNode*> elements = elementsOf(node);
        int found = -1;
        for (int i = 0; i < elements.size() && bytesOf(elements.at(i)).first <= at; ++i)
            found = i;
        if (found < 0)
            return path;
        const auto [start, end] = bytesOf(elements.at(found));
        const bool holds = at >= start && at <= end;
        if (!holds && inside)
            return path;
        inside = holds;
        path.append(found);
        node = elements.at(found);
    }
}

} // namespace lw
