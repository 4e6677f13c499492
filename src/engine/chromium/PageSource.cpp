#include "engine/chromium/PageSource.h"

#include "engine/chromium/PageCall.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QStringEncoder>

#include <gumbo.h>

#include <algorithm>
#include <atomic>
#include <vector>

namespace lw {

namespace {

// Node kinds in the map, as the DOM numbers them.
constexpr int kElement = 1;
constexpr int kText = 3;
constexpr int kComment = 8;
constexpr int kDocument = 9;
// An element whose children cannot be laid over the source one by one (the parser moved or
// rebuilt nodes there): it is written from its own bytes while unchanged, else whole.
constexpr int kOpaque = 16;
constexpr int kFieldsPerNode = 8;
// Deeper nesting is kept whole; it keeps the walk's stack small.
constexpr int kMaxDepth = 400;
constexpr qsizetype kMaxParsedBytes = 16 * 1024 * 1024;

// Nodes the parser moved out of order or made from other markup have no bytes of their own in
// that place. (A block the parser takes out of a formatting element left open keeps its place
// in the text: it only becomes that element's sibling, so it is laid over the source as it is.)
constexpr unsigned kRearranged =
    GUMBO_INSERTION_FOSTER_PARENTED | GUMBO_INSERTION_FROM_ISINDEX | GUMBO_INSERTION_FROM_IMAGE;
// Copies of an open formatting element (a, b, font) the parser opens again in each later
// block: their start tag is the original's, elsewhere, so they have none of their own here.
constexpr unsigned kCopied =
    GUMBO_INSERTION_RECONSTRUCTED_FORMATTING_ELEMENT | GUMBO_INSERTION_ADOPTION_AGENCY_CLONED;

struct Parsed {
    explicit Parsed(const QByteArray& utf8)
        : output(gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), size_t(utf8.size()))) {}
    ~Parsed() { gumbo_destroy_output(&kGumboDefaultOptions, output); }
    Parsed(const Parsed&) = delete;
    Parsed& operator=(const Parsed&) = delete;
    GumboOutput* output;
};

QString tagName(const GumboElement& element) {
    if (element.tag != GUMBO_TAG_UNKNOWN || element.original_tag.length == 0)
        return QString::fromLatin1(gumbo_normalized_tagname(element.tag));
    GumboStringPiece name = element.original_tag;
    gumbo_tag_from_original_text(&name);
    return QString::fromUtf8(name.data, qsizetype(name.length)).toLower();
}

int utf16Length(const char* utf8) {
    int units = 0;
    for (const auto* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
        if ((*p & 0xc0) != 0x80)
            units += *p >= 0xf0 ? 2 : 1;
    }
    return units;
}

bool namesItself(const GumboElement& element, const QString& name) {
    const QByteArray end =
        QByteArray(element.original_end_tag.data, qsizetype(element.original_end_tag.length));
    return end.size() > 2 + name.size() && end.mid(2, name.size()).toLower() == name.toLatin1() &&
           !QChar(QLatin1Char(end.at(2 + name.size()))).isLetterOrNumber();
}

bool isVoid(const QString& tag) {
    static const QSet<QString> voids = {
        QStringLiteral("area"),  QStringLiteral("base"), QStringLiteral("br"),    QStringLiteral("col"),
        QStringLiteral("embed"), QStringLiteral("hr"),   QStringLiteral("img"),   QStringLiteral("input"),
        QStringLiteral("link"),  QStringLiteral("meta"), QStringLiteral("param"), QStringLiteral("source"),
        QStringLiteral("track"), QStringLiteral("wbr")};
    return voids.contains(tag);
}

// How the page writes its tags, counted over its own start tags.
struct MarkupStyle {
    int upper = 0;
    int lower = 0;
    int slashed = 0;
    int bare = 0;
    int single = 0;
    int doubled = 0;

    void count(const GumboElement& element, const QString& name) {
        const QByteArray tag(element.original_tag.data, qsizetype(element.original_tag.length));
        const char first = tag.size() > 1 ? tag.at(1) : 'a';
        (first >= 'A' && first <= 'Z' ? upper : lower) +=
            (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
        if (isVoid(name))
            (tag.endsWith("/>") ? slashed : bare) += 1;
        for (unsigned i = 0; i < element.attributes.length; ++i) {
            const auto* attribute = static_cast<const GumboAttribute*>(element.attributes.data[i]);
            const char quote = attribute->original_value.length > 0 ? attribute->original_value.data[0] : ' ';
            single += quote == '\'';
            doubled += quote == '"';
        }
    }
};

// Lays the parser's tree over the source: for each node, in document order, its kind, the
// number of its children and of its descendants, where it starts, where its content starts
// and ends, where it ends (UTF-16 offsets of the decoded text), and a number to check it by.
class MapBuilder {
public:
    explicit MapBuilder(const QByteArray& utf8) : m_utf16At(size_t(utf8.size()) + 1) {
        int units = 0;
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            m_utf16At[size_t(i)] = units;
            const auto byte = static_cast<unsigned char>(utf8.at(i));
            if ((byte & 0xc0) != 0x80)
                units += byte >= 0xf0 ? 2 : 1;
        }
        m_utf16At.back() = units;
    }

    // False when even the document cannot be laid over the source.
    bool build(const GumboNode* document, int length) {
        const Span span = place(document, 0, length, -1, 0);
        return span.ok && !(m_nodes[0] & kOpaque);
    }

    // The numbers go as one string of digits in base 32, which the page reads far faster than
    // an array literal of a large page's hundreds of thousands of numbers. Positions are given
    // from the one before (from the previous node's start, then each from the last), so most
    // take a digit or two. Each number is zigzagged to be non-negative; its last digit is
    // '0' + d, the ones before it '`' + d, none of them a quote or a backslash.
    QString literal() const {
        QString text;
        text.reserve(qsizetype(m_nodes.size()) * 2 + m_tags.size() * 8 + 64);
        text += QStringLiteral("{c:%1,n:\"").arg(m_nodes.size() / kFieldsPerNode);
        const auto put = [&text](int value) {
            auto v = value >= 0 ? 2 * unsigned(value) : 2 * unsigned(-(value + 1)) + 1;
            char digits[8];
            int count = 0;
            do {
                digits[count++] = char(v & 31);
                v >>= 5;
            } while (v);
            while (--count > 0)
                text += QLatin1Char(char('`' + digits[count]));
            text += QLatin1Char(char('0' + digits[0]));
        };
        int previousStart = 0;
        for (size_t i = 0; i < m_nodes.size(); i += kFieldsPerNode) {
            const int* n = &m_nodes[i];
            put(n[0]);
            put(n[1]);
            put(n[2]);
            put(n[3] - previousStart);
            put(n[4] - n[3]);
            put(n[5] - n[4]);
            put(n[6] - n[5]);
            put(n[7]);
            previousStart = n[3];
        }
        text += QStringLiteral("\",t:");
        text += QString::fromUtf8(
            QJsonDocument(QJsonArray::fromStringList(m_tags)).toJson(QJsonDocument::Compact));
        text += QLatin1Char('}');
        return text;
    }

private:
    struct Span {
        int s = 0;
        int e = 0;
        bool ok = false;
    };

    int at(int offset) const { return m_utf16At[size_t(std::clamp(offset, 0, int(m_utf16At.size()) - 1))]; }

    void record(size_t slot, int kind, int children, int s, int ts, int te, int e, int check) {
        int* n = &m_nodes[slot];
        n[0] = kind;
        n[1] = children;
        n[2] = int((m_nodes.size() - slot) / kFieldsPerNode) - 1;
        n[3] = at(s);
        n[4] = at(ts);
        n[5] = at(te);
        n[6] = at(e);
        n[7] = check;
    }

    // Where a node's own bytes begin, or -1 when the parser made its start up.
    static bool hasStartTag(const GumboNode* node) {
        return node->v.element.original_tag.length > 0 && !(node->parse_flags & kCopied);
    }

    static int startOf(const GumboNode* node) {
        if (node->type == GUMBO_NODE_ELEMENT || node->type == GUMBO_NODE_TEMPLATE)
            return hasStartTag(node) ? int(node->v.element.start_pos.offset) : -1;
        return int(node->v.text.start_pos.offset);
    }

    // next is where the following sibling begins (-1 when unknown).
    Span place(const GumboNode* node, int lo, int hi, int next, int depth) {
        if (node->type == GUMBO_NODE_DOCUMENT || node->type == GUMBO_NODE_ELEMENT ||
            node->type == GUMBO_NODE_TEMPLATE)
            return placeParent(node, lo, hi, depth);
        if (node->type == GUMBO_NODE_CDATA || (node->parse_flags & kRearranged))
            return {};
        const GumboText& text = node->v.text;
        int s = int(text.start_pos.offset);
        // White space after the end tags of body and html joins the body; its bytes stay
        // where they are, after the end tags the enclosing elements write.
        if (s >= hi && next < 0 && node->type == GUMBO_NODE_WHITESPACE)
            s = hi;
        // The parser's text can run on over the end tags that closed it (at the end of the
        // body, or of the file); a node's bytes end where the next node or its parent's end
        // tag begins, and what lies between belongs to the enclosing elements.
        int e = std::min(s + int(text.original_text.length), hi);
        if (next >= s)
            e = std::min(e, next);
        if (s < lo || e < s || e > hi)
            return {};
        const size_t slot = m_nodes.size();
        m_nodes.resize(slot + kFieldsPerNode);
        const bool comment = node->type == GUMBO_NODE_COMMENT;
        // White space is checked as such: this parser and the engine's can share it out
        // differently between neighbours (before a closing form).
        const int check = node->type == GUMBO_NODE_WHITESPACE ? -1 : utf16Length(text.text);
        record(slot, comment ? kComment : kText, 0, s, s, e, e, check);
        return {s, e, true};
    }

    Span placeParent(const GumboNode* node, int lo, int hi, int depth) {
        const bool document = node->type == GUMBO_NODE_DOCUMENT;
        const size_t slot = m_nodes.size();
        const qsizetype tagSlot = m_tags.size();
        m_nodes.resize(slot + kFieldsPerNode);
        const GumboVector& children = document ? node->v.document.children : node->v.element.children;
        QString name;
        bool hasStart = true;
        bool hasEnd = true;
        int s = lo;
        int ts = lo;
        int te = hi;
        int e = hi;
        if (!document) {
            const GumboElement& element = node->v.element;
            name = tagName(element);
            m_tags.append(name);
            if (node->parse_flags & kRearranged)
                return {};
            hasStart = hasStartTag(node);
            if (hasStart)
                m_style.count(element, name);
            s = ts = int(element.start_pos.offset);
            ts += hasStart ? int(element.original_tag.length) : 0;
            hasEnd = element.original_end_tag.length > 0 && namesItself(element, name);
            te = int(element.end_pos.offset);
            // A copy can carry the end of the element it was copied from, which lies before
            // the copy's own content: it has no end tag of its own then.
            if (!hasStart && hasEnd && children.length > 0)
                hasEnd = te >= startOf(static_cast<const GumboNode*>(children.data[0]));
            e = te + (hasEnd ? int(element.original_end_tag.length) : 0);
        }
        bool opaque = depth >= kMaxDepth;
        int count = 0;
        int first = -1;
        int last = -1;
        if (!opaque && node->type != GUMBO_NODE_TEMPLATE) {
            int cursor = hasStart ? ts : lo;
            const int end = hasEnd ? te : hi;
            for (unsigned i = 0; i < children.length && !opaque; ++i) {
                const int next = i + 1 < children.length
                                     ? startOf(static_cast<const GumboNode*>(children.data[i + 1]))
                                     : -1;
                const Span child =
                    place(static_cast<const GumboNode*>(children.data[i]), cursor, end, next, depth + 1);
                opaque = !child.ok;
                if (first < 0)
                    first = child.s;
                last = cursor = child.e;
                ++count;
            }
        }
        if (opaque) {
            m_nodes.resize(slot + kFieldsPerNode);
            m_tags.resize(tagSlot + (document ? 0 : 1));
            count = 0;
        }
        if (!hasStart) {
            if (opaque)
                return {};
            s = ts = first >= 0 ? first : lo;
        }
        if (!hasEnd) {
            if (!opaque)
                te = last >= 0 ? last : ts;
            else if (te < ts || te > hi)
                return {};
            e = te;
        }
        if (s < lo || ts < s || te < ts || e < te || e > hi)
            return {};
        const int attributes = document ? 0 : int(node->v.element.attributes.length);
        record(slot, (document ? kDocument : kElement) | (opaque ? kOpaque : 0), count, s, ts, te, e,
               attributes);
        return {s, e, true};
    }

public:
    MarkupStyle m_style;

private:
    std::vector<int> m_utf16At;
    std::vector<int> m_nodes;
    QStringList m_tags;
};

} // namespace

std::shared_ptr<const PageSource> PageSource::fromBytes(QByteArray bytes, const QString& characterSet) {
    static std::atomic<quint64> sources{0};
    auto source = std::make_shared<PageSource>();
    source->m_id = ++sources;
    source->m_bytes = std::move(bytes);
    QByteArray body = source->m_bytes;
    const QString encoding = characterSet.toUpper();
    for (const char* bom : {"\xef\xbb\xbf", "\xff\xfe", "\xfe\xff"}) {
        if (body.startsWith(bom)) {
            source->m_bom = body.left(qsizetype(qstrlen(bom)));
            break;
        }
    }
    if (source->byteOrderMarkEncoding().compare(encoding, Qt::CaseInsensitive) != 0)
        source->m_bom.clear();
    body.remove(0, source->m_bom.size());
    const QByteArray name = characterSet.toLatin1();
    QStringDecoder decoder(name.constData(), QStringConverter::Flag::Stateless);
    QStringEncoder encoder(name.constData(), QStringConverter::Flag::Stateless);
    const auto lost = [&](SourceLoss::Kind kind) {
        source->m_loss = {kind, characterSet};
        return source;
    };
    if (!decoder.isValid() || !encoder.isValid())
        return lost(SourceLoss::Kind::UnwritableEncoding);
    // Saves write markup only in encodings that keep it ASCII (UTF-16 pages become UTF-8);
    // such a page can still be spliced, but every byte of it changes.
    if (QByteArray(QStringEncoder(name.constData())(QStringLiteral("<p>"))) != QByteArrayLiteral("<p>"))
        source->m_loss = {SourceLoss::Kind::UnwritableEncoding, characterSet};
    // The parser takes about ten times a page's size in memory; a larger page is kept only
    // while it is unedited.
    if (body.size() > kMaxParsedBytes)
        return lost(SourceLoss::Kind::TooLarge);
    source->m_text = decoder(body);
    // Only text that turns back into the very same bytes can be spliced with new markup.
    if (decoder.hasError() || QByteArray(encoder(source->m_text)) != body || encoder.hasError()) {
        source->m_text.clear();
        return lost(SourceLoss::Kind::InvalidBytes);
    }
    // The engine drops NUL characters as it reads a page, so positions in the text would not
    // match its tree past the first one, and a splice would cut the file short.
    if (source->m_text.contains(QChar(0))) {
        source->m_text.clear();
        return lost(SourceLoss::Kind::NulBytes);
    }
    source->parse();
    if (!source->canSplice() && !source->m_loss)
        source->m_loss = {SourceLoss::Kind::Unmatched, characterSet};
    return source;
}

std::optional<QByteArray> PageSource::readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString PageSource::byteOrderMarkEncoding() const {
    if (m_bom == "\xef\xbb\xbf")
        return QStringLiteral("UTF-8");
    if (m_bom == "\xff\xfe")
        return QStringLiteral("UTF-16LE");
    if (m_bom == "\xfe\xff")
        return QStringLiteral("UTF-16BE");
    return {};
}

void PageSource::parse() {
    const qsizetype lineFeeds = m_text.count(QLatin1Char('\n'));
    m_crlf = lineFeeds > 0 && m_text.count(QLatin1String("\r\n")) == lineFeeds;
    const QByteArray utf8 = m_text.toUtf8();
    const Parsed parsed(utf8);
    MapBuilder builder(utf8);
    if (builder.build(parsed.output->document, int(utf8.size())))
        m_nodeMap = builder.literal();
    const MarkupStyle& style = builder.m_style;
    m_upperCaseTags = style.upper > style.lower;
    m_slashedVoidTags = style.slashed > style.bare;
    m_singleQuotes = style.single > style.doubled;
}

QString PageSource::restyled(const QString& markup) const {
    if (!m_upperCaseTags && !m_slashedVoidTags && !m_singleQuotes)
        return markup;
    // The engine writes every tag alike: lower case, each value in double quotes with any
    // double quote inside escaped, so its tags are found without a parser (text has its '<'
    // escaped).
    static const QRegularExpression tag(
        QStringLiteral(R"re(<(/?)([a-zA-Z][a-zA-Z0-9-]*)((?:\s+[^\s"'>/=]+(?:="[^"]*")?)*)>)re"));
    static const QRegularExpression attribute(QStringLiteral(R"re((\s+)([^\s"'>/=]+)(?:="([^"]*)")?)re"));
    QString out;
    qsizetype done = 0;
    for (auto it = tag.globalMatch(markup); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        out += QStringView(markup).mid(done, match.capturedStart() - done);
        done = match.capturedEnd();
        const QString name = match.captured(2);
        out += QLatin1Char('<') + match.captured(1) + (m_upperCaseTags ? name.toUpper() : name);
        for (auto a = attribute.globalMatch(match.captured(3)); a.hasNext();) {
            const QRegularExpressionMatch pair = a.next();
            out += pair.captured(1) + (m_upperCaseTags ? pair.captured(2).toUpper() : pair.captured(2));
            if (pair.capturedStart(3) >= 0) {
                const QString value = pair.captured(3);
                const bool single = m_singleQuotes && !value.contains(QLatin1Char('\''));
                out += single ? QStringLiteral("='") + value + QLatin1Char('\'')
                              : QStringLiteral("=\"") + value + QLatin1Char('"');
            }
        }
        out += m_slashedVoidTags && match.capturedLength(1) == 0 && isVoid(name) ? QStringLiteral(" />")
                                                                                 : QStringLiteral(">");
    }
    out += QStringView(markup).mid(done);
    return out;
}

QString PageSource::textLiteral() const {
    return scriptLiteral(m_text);
}

std::optional<QString> PageSource::splice(const QVariantList& parts, QJsonArray* written) const {
    QString text;
    std::vector<std::pair<qsizetype, qsizetype>> ranges;
    for (const QVariant& part : parts) {
        if (part.userType() == QMetaType::QString) {
            // New markup takes the page's line endings; a parser reads either the same.
            QString markup = restyled(part.toString());
            if (m_crlf)
                markup.replace(QRegularExpression(QStringLiteral("(?<!\r)\n")), QStringLiteral("\r\n"));
            text += markup;
            if (written)
                written->append(markup);
            continue;
        }
        const QVariantList range = part.toList();
        if (range.size() != 2)
            return std::nullopt;
        const qsizetype start = range.at(0).toLongLong();
        const qsizetype end = range.at(1).toLongLong();
        if (start < 0 || end < start || end > m_text.size())
            return std::nullopt;
        text += QStringView(m_text).mid(start, end - start);
        ranges.emplace_back(start, end);
        if (written)
            written->append(QJsonArray{start, end});
    }
    // Bytes of the source written twice would be a fault of the map; even a repeated end
    // tag, which parses to the same tree, is a change the user did not make.
    std::sort(ranges.begin(), ranges.end());
    for (size_t i = 1; i < ranges.size(); ++i) {
        if (ranges[i].first < ranges[i - 1].second)
            return std::nullopt;
    }
    return text;
}

} // namespace lw
