// Command status and execution. Most commands are carried out by the editing script and
// answered from its latest snapshot; the host carries out what needs it: printing, find, the
// editing options (kept here so every page gets them), the clipboard for the two special
// pastes, and the engine's own dialogs.

#include "engine/EngineDialogs.h"
#include "engine/chromium/ChromiumEngine.h"
#include "engine/chromium/EditorPage.h"
#include "engine/chromium/FindBar.h"
#include "engine/chromium/OwnCommands.h"
#include "engine/chromium/PageCall.h"
#include "engine/chromium/PageSerializer.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QJsonObject>
#include <QMimeData>
#include <QWebEngineView>

namespace lw {

namespace {

// Engine command numbers the host carries out itself.
constexpr quint32 kPrint = 27;
constexpr quint32 kPrintPreview = 2003;
constexpr quint32 kPageSetup = 2004;
constexpr quint32 kFind = 67;
constexpr quint32 kFont = 90;
constexpr quint32 kObject = 25;
constexpr quint32 kPaste = 26;
constexpr quint32 kFontName = 18;
constexpr quint32 kFontSize = 19;
constexpr quint32 kBackColor = 51;
constexpr quint32 kForeColor = 55;
constexpr quint32 kHyperlink = 2124;
constexpr quint32 kImage = 2168;
constexpr quint32 kPasteContentOnly = 2500;
constexpr quint32 kPasteTextOnly = 2501;

constexpr quint32 kActive = OLECMDF_SUPPORTED | OLECMDF_ENABLED;

// The styles the font dialog shows, by the command that carries each.
struct StyleCommand {
    quint32 cmd;
    const char* key;
    std::optional<bool> FontChoice::*field;
};
constexpr StyleCommand kStyles[] = {
    {52, "bold", &FontChoice::bold},
    {56, "italic", &FontChoice::italic},
    {63, "underline", &FontChoice::underline},
    {91, "strikethrough", &FontChoice::strikethrough},
    {2248, "superscript", &FontChoice::superscript},
    {2247, "subscript", &FontChoice::subscript},
};

} // namespace

quint32 ChromiumEngine::commandFlags(quint32 cmd) const {
    switch (cmd) {
    case kPrint:
    case kPrintPreview:
    case kPageSetup:
    case kFind:
        return kActive;
    case kFont:
        // The dialog sets what the font name sets: it needs an editable selection.
        return OLECMDF_SUPPORTED | (m_snapshot.flags.value(kFontName) & OLECMDF_ENABLED);
    default:
        break;
    }
    if (m_options.contains(cmd))
        return kActive | (m_options.value(cmd) ? OLECMDF_LATCHED : 0);
    quint32 flags = m_snapshot.flags.value(cmd, 0);
    if ((cmd == kPaste || cmd == kPasteContentOnly || cmd == kPasteTextOnly) && !clipboardHolds(cmd))
        flags &= ~OLECMDF_ENABLED;
    return flags;
}

HRESULT ChromiumEngine::queryStatus(quint32 cmd, quint32& flags) const {
    flags = 0;
    if (!m_hasDocument)
        return E_UNEXPECTED;
    flags = commandFlags(cmd);
    return S_OK;
}

HRESULT ChromiumEngine::exec(quint32 cmd, const Variant* in, Variant* out) {
    if (!m_hasDocument || !m_page)
        return E_UNEXPECTED;
    const quint32 flags = commandFlags(cmd);
    if (flags == 0)
        return OLECMDERR_E_NOTSUPPORTED;
    const bool noInput = !in || in->isEmpty();
    if (m_options.contains(cmd)) {
        if (out && noInput) {
            *out = Variant::fromBool(m_options.value(cmd));
            return S_OK;
        }
        return setOption(cmd, noInput ? Variant::fromBool(!m_options.value(cmd)) : *in);
    }
    if (out && noInput) {
        const auto value = m_snapshot.values.constFind(cmd);
        if (value != m_snapshot.values.cend()) {
            *out = *value;
            return S_OK;
        }
    }
    HRESULT error = S_OK;
    QJsonValue argument = noInput ? QJsonValue(QJsonValue::Null) : variantToJson(*in, error);
    if (FAILED(error))
        return error;
    if ((flags & (OLECMDF_ENABLED | OLECMDF_LATCHED)) == 0)
        return OLECMDERR_E_DISABLED;
    if (out)
        out->clear();
    switch (cmd) {
    case kPrint:
        return printCommand();
    case kPrintPreview:
        return printPreviewCommand();
    case kPageSetup:
        return pageSetupCommand();
    case kFind:
        if (FindBar* bar = findBar())
            bar->open();
        return S_OK;
    case kFont:
        return askFont();
    case kHyperlink:
        if (noInput)
            return askHyperlink();
        argument = addressForPage(argument.toString());
        break;
    case kImage:
        if (noInput)
            return askImage();
        argument = addressForPage(argument.toString());
        break;
    case kObject:
        if (noInput)
            return askObject();
        argument = addressForPage(argument.toString());
        break;
    case kPasteContentOnly:
    case kPasteTextOnly:
        if (noInput)
            return pasteFromClipboard(cmd);
        break;
    case owncmd::kInsertTable:
    case owncmd::kImageProperties:
    case owncmd::kLinkProperties:
    case owncmd::kPageProperties:
        if (noInput)
            return askProperties(cmd);
        break;
    default:
        break;
    }
    runPageCommand(cmd, argument, false);
    return S_OK;
}

void ChromiumEngine::runPageCommand(quint32 cmd, const QJsonValue& argument, bool restoreSelection) {
    runInPage(QStringLiteral("window.__lwEditor && window.__lwEditor.exec(%1, %2, %3)")
                  .arg(cmd)
                  .arg(scriptLiteral(argument),
                       restoreSelection ? QStringLiteral("true") : QStringLiteral("false")));
}

HRESULT ChromiumEngine::setOption(quint32 cmd, const Variant& value) {
    bool on = false;
    switch (value.type()) {
    case VT_BOOL:
        on = value.toBool();
        break;
    case VT_I2:
    case VT_I4:
        on = value.i4() != 0 || value.i2() != 0;
        break;
    default:
        return E_INVALIDARG;
    }
    m_options.insert(cmd, on);
    pushOptions();
    return S_OK;
}

void ChromiumEngine::pushOptions() {
    QJsonObject options;
    for (auto it = m_options.cbegin(); it != m_options.cend(); ++it)
        options.insert(QString::number(it.key()), it.value());
    runInPage(
        QStringLiteral("window.__lwEditor && window.__lwEditor.setOptions(%1)").arg(scriptLiteral(options)));
}

bool ChromiumEngine::clipboardHolds(quint32 cmd) const {
    if (!m_clipboardHasContent) {
        // Asking the clipboard can mean a round trip to its owner: once per change is enough.
        QClipboard* clipboard = QGuiApplication::clipboard();
        const QMimeData* data = clipboard->mimeData();
        m_clipboardHasText = data && data->hasText() && !data->text().isEmpty();
        m_clipboardHasContent = *m_clipboardHasText || (data && (data->hasHtml() || data->hasImage()));
    }
    return cmd == kPasteTextOnly ? *m_clipboardHasText : *m_clipboardHasContent;
}

HRESULT ChromiumEngine::pasteFromClipboard(quint32 cmd) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return OLECMDERR_E_DISABLED;
    if (cmd == kPasteContentOnly && data->hasHtml()) {
        runPageCommand(kPasteContentOnly, data->html(), false);
        return S_OK;
    }
    if (data->hasText() && !data->text().isEmpty()) {
        runPageCommand(kPasteTextOnly, data->text(), false);
        return S_OK;
    }
    if (cmd == kPasteContentOnly && data->hasImage()) {
        // An image alone on the clipboard goes in as an image that carries its own data.
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (!qvariant_cast<QImage>(data->imageData()).save(&buffer, "PNG"))
            return E_FAIL;
        const QString html =
            QStringLiteral("<img src=\"data:image/png;base64,%1\">").arg(QString::fromLatin1(png.toBase64()));
        runPageCommand(kPasteContentOnly, html, false);
        return S_OK;
    }
    return OLECMDERR_E_DISABLED;
}

QString ChromiumEngine::addressForPage(const QString& pathOrAddress) const {
    if (!QDir::isAbsolutePath(pathOrAddress) || pathOrAddress.startsWith(QStringLiteral("//")))
        return pathOrAddress;
    // A local file is referred to relative to the page's folder; a page without a file of its
    // own shows it by its absolute address, which its saves make relative once it has one.
    const QString file = QDir::cleanPath(QFileInfo(pathOrAddress).absoluteFilePath());
    const QUrl pageUrl = url();
    if (pageUrl.isLocalFile())
        return localAddress(file, pageUrl.toLocalFile());
    return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
}

QWidget* ChromiumEngine::dialogParent() const {
    return m_view ? m_view->window() : nullptr;
}

FindBar* ChromiumEngine::findBar() {
    if (!m_findBar && m_view && m_page) {
        m_findBar = new FindBar(m_page, m_view, [this](const QString& text, bool matchCase, int index) {
            runInPage(
                QStringLiteral("window.__lwEditor.selectMatch(%1, %2, %3)")
                    .arg(scriptLiteral(text), matchCase ? QStringLiteral("true") : QStringLiteral("false"))
                    .arg(index));
        });
    }
    return m_findBar;
}

// The dialogs answer later; the page holds on to the selection meanwhile, since the focus
// goes to the dialog. An answer that comes once the engine shows another page is dropped.

HRESULT ChromiumEngine::askHyperlink() {
    if (m_silent)
        return OLECMDERR_E_CANCELED;
    runInPage(QStringLiteral("window.__lwEditor.holdSelection()"));
    const std::weak_ptr<bool> alive = m_alive;
    const QString document = m_documentId;
    dialogProvider().askHyperlink(dialogParent(), m_snapshot.context.value(QStringLiteral("link")).toString(),
                                  [this, alive, document](std::optional<QString> address) {
                                      if (!isAlive(alive) || m_documentId != document)
                                          return;
                                      if (address)
                                          runPageCommand(kHyperlink, addressForPage(*address), true);
                                      else
                                          runInPage(QStringLiteral("window.__lwEditor.releaseSelection()"));
                                  });
    return S_OK;
}

HRESULT ChromiumEngine::askImage() {
    if (m_silent)
        return OLECMDERR_E_CANCELED;
    const QJsonObject selected = m_snapshot.context.value(QStringLiteral("image")).toObject();
    const ImageChoice current{selected.value(QStringLiteral("source")).toString(),
                              selected.value(QStringLiteral("alt")).toString()};
    runInPage(QStringLiteral("window.__lwEditor.holdSelection()"));
    const std::weak_ptr<bool> alive = m_alive;
    const QString document = m_documentId;
    dialogProvider().askImage(
        dialogParent(), current, [this, alive, document](std::optional<ImageChoice> image) {
            if (!isAlive(alive) || m_documentId != document)
                return;
            if (!image || image->source.isEmpty()) {
                runInPage(QStringLiteral("window.__lwEditor.releaseSelection()"));
                return;
            }
            const QJsonObject argument{{QStringLiteral("source"), addressForPage(image->source)},
                                       {QStringLiteral("alt"), image->alternateText}};
            runPageCommand(kImage, argument, true);
        });
    return S_OK;
}

HRESULT ChromiumEngine::askObject() {
    if (m_silent)
        return OLECMDERR_E_CANCELED;
    const QJsonObject selected = m_snapshot.context.value(QStringLiteral("object")).toObject();
    const ObjectChoice current{selected.value(QStringLiteral("data")).toString(),
                               selected.value(QStringLiteral("type")).toString()};
    runInPage(QStringLiteral("window.__lwEditor.holdSelection()"));
    const std::weak_ptr<bool> alive = m_alive;
    const QString document = m_documentId;
    dialogProvider().askObject(
        dialogParent(), current, [this, alive, document](std::optional<ObjectChoice> object) {
            if (!isAlive(alive) || m_documentId != document)
                return;
            if (!object || (object->data.isEmpty() && object->type.isEmpty())) {
                runInPage(QStringLiteral("window.__lwEditor.releaseSelection()"));
                return;
            }
            const QJsonObject argument{
                {QStringLiteral("data"), object->data.isEmpty() ? QString() : addressForPage(object->data)},
                {QStringLiteral("type"), object->type}};
            runPageCommand(kObject, argument, true);
        });
    return S_OK;
}

HRESULT ChromiumEngine::askFont() {
    if (m_silent)
        return OLECMDERR_E_CANCELED;
    FontChoice current;
    const Variant name = m_snapshot.values.value(kFontName);
    if (name.type() == VT_BSTR)
        current.name = name.bstr();
    const Variant size = m_snapshot.values.value(kFontSize);
    if (size.type() == VT_I4)
        current.size = size.i4();
    const Variant fore = m_snapshot.values.value(kForeColor);
    if (fore.type() == VT_I4)
        current.foreColor = quint32(fore.i4());
    const Variant back = m_snapshot.values.value(kBackColor);
    if (back.type() == VT_I4)
        current.backColor = quint32(back.i4());
    for (const StyleCommand& style : kStyles) {
        const quint32 flags = m_snapshot.flags.value(style.cmd);
        if (!(flags & OLECMDF_NINCHED))
            current.*style.field = (flags & OLECMDF_LATCHED) != 0;
    }
    runInPage(QStringLiteral("window.__lwEditor.holdSelection()"));
    const std::weak_ptr<bool> alive = m_alive;
    const QString document = m_documentId;
    dialogProvider().askFont(
        dialogParent(), current, [this, alive, document](std::optional<FontChoice> font) {
            if (!isAlive(alive) || m_documentId != document)
                return;
            if (!font) {
                runInPage(QStringLiteral("window.__lwEditor.releaseSelection()"));
                return;
            }
            QJsonObject choice;
            if (font->name)
                choice.insert(QStringLiteral("name"), *font->name);
            if (font->size)
                choice.insert(QStringLiteral("size"), *font->size);
            if (font->foreColor)
                choice.insert(QStringLiteral("foreColor"), qint64(*font->foreColor));
            if (font->backColor)
                choice.insert(QStringLiteral("backColor"), qint64(*font->backColor));
            for (const StyleCommand& style : kStyles) {
                if ((*font).*style.field)
                    choice.insert(QLatin1String(style.key), *((*font).*style.field));
            }
            runInPage(QStringLiteral("window.__lwEditor.applyFont(%1, true)").arg(scriptLiteral(choice)));
        });
    return S_OK;
}

} // namespace lw
