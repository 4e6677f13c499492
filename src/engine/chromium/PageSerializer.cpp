#include "engine/chromium/PageSerializer.h"

#include "engine/chromium/PageCall.h"
#include "engine/chromium/PageSource.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QUrl>
#include <QVariantMap>
#include <QWebEnginePage>

#include <algorithm>

namespace lw {

namespace {

bool isAscii(const QString& text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

std::optional<SerializedPage> serializeWith(QWebEnginePage& page, const QString& options, int timeoutMs,
                                            bool* timedOut = nullptr) {
    const QString script =
        QStringLiteral("window.__lwEditor ? window.__lwEditor.serialize(%1) : null").arg(options);
    const std::optional<QVariant> result = runScriptAndWait(page, script, timeoutMs, timedOut);
    if (!result)
        return std::nullopt;
    return SerializedPage::fromScriptResult(*result);
}

} // namespace

std::optional<QByteArray> encodeExactly(const QString& encoding, const QString& text) {
    const QByteArray name = encoding.toLatin1();
    QStringEncoder encoder(name.constData());
    if (!encoder.isValid())
        return std::nullopt;
    // Markup must stay readable to a parser that looks for the declaration byte by byte.
    QStringEncoder probe(name.constData());
    if (QByteArray(probe(QStringLiteral("<meta>"))) != QByteArrayLiteral("<meta>"))
        return std::nullopt;
    QByteArray bytes = encoder(text);
    if (encoder.hasError())
        return std::nullopt;
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid() || QString(decoder(bytes)) != text || decoder.hasError())
        return std::nullopt;
    return bytes;
}

std::optional<SerializedPage> SerializedPage::fromScriptResult(const QVariant& result) {
    const QVariantMap map = result.toMap();
    if (!map.contains(QStringLiteral("html")) && !map.contains(QStringLiteral("parts")) &&
        !map.contains(QStringLiteral("unchanged")))
        return std::nullopt;
    SerializedPage page;
    page.html = map.value(QStringLiteral("html")).toString();
    page.characterSet = map.value(QStringLiteral("characterSet")).toString();
    page.declaredCharset = map.value(QStringLiteral("declaredCharset")).toString();
    page.declaredEncoding = map.value(QStringLiteral("declaredEncoding")).toString();
    page.documentId = map.value(QStringLiteral("documentId")).toString();
    page.unchanged = map.value(QStringLiteral("unchanged")).toBool();
    page.parts = map.value(QStringLiteral("parts")).toList();
    page.changeCount =
        static_cast<quint64>(std::max(0.0, map.value(QStringLiteral("changeCount")).toDouble()));
    return page;
}

std::optional<QByteArray> encodeInOwnEncoding(const SerializedPage& page) {
    if (page.declaredCharset.isEmpty()) {
        // Without a declaration a reader guesses; only ASCII reads the same under every guess.
        if (isAscii(page.html))
            return page.html.toLatin1();
        return std::nullopt;
    }
    // The declared label can be stricter than the encoding it stands for (ISO-8859-1 is read
    // as windows-1252); writing with the strict one keeps the bytes true to the label.
    // A declaration the page was not decoded with (a byte-order mark overrides it) would
    // contradict the bytes, so such a page gets a new one.
    if (page.declaredEncoding.compare(page.characterSet, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    if (QStringEncoder(page.declaredCharset.toLatin1().constData()).isValid())
        return encodeExactly(page.declaredCharset, page.html);
    return encodeExactly(page.characterSet, page.html);
}

// The page's text with what did not change taken from its source; nothing when those bytes
// would not give the tree the page shows (the source parser and the engine read the page
// differently there), so the caller serialises it whole.
std::optional<QString> spliceChecked(QWebEnginePage& page, const SerializedPage& kept,
                                     const PageSource& source, bool check, int timeoutMs, bool* timedOut) {
    if (kept.parts.isEmpty() || !source.canSplice())
        return std::nullopt;
    QJsonArray written;
    std::optional<QString> text = source.splice(kept.parts, &written);
    if (text && check) {
        // The page puts the same text together from its copy of this source.
        const QString script =
            QStringLiteral("window.__lwEditor ? window.__lwEditor.matchesPage(%1, %2, %3) : false")
                .arg(scriptLiteral(written))
                .arg(text->size())
                .arg(source.id());
        const std::optional<QVariant> same = runScriptAndWait(page, script, timeoutMs, timedOut);
        if (!same || !same->toBool())
            return std::nullopt;
    }
    return text;
}

QString localAddress(const QString& file, const QString& pageFile) {
    const QString relative = QFileInfo(pageFile).absoluteDir().relativeFilePath(file);
    QUrl address;
    // A first segment with a colon would read as a scheme.
    address.setPath(relative.contains(QLatin1Char(':')) ? QStringLiteral("./") + relative : relative);
    return address.toString(QUrl::FullyEncoded);
}

std::optional<SaveResult> saveUnchanged(QWebEnginePage& page, int timeoutMs, const QByteArray& loadedBytes,
                                        const QString& documentId, bool* timedOut) {
    const std::optional<SerializedPage> own =
        serializeWith(page, QStringLiteral("{keep: true, unchangedOnly: true}"), timeoutMs, timedOut);
    if (!own || !own->unchanged || own->documentId != documentId)
        return std::nullopt;
    SaveResult result;
    result.hr = S_OK;
    result.bytes = loadedBytes;
    result.encoding = own->characterSet;
    result.documentId = own->documentId;
    result.changeCount = own->changeCount;
    return result;
}

SaveResult serializeForFile(QWebEnginePage& page, int timeoutMs, const PageSource* source,
                            const QString& pageFile) {
    SaveResult result;
    QPointer<QWebEnginePage> alive(&page);
    bool timedOut = false;
    const auto failed = [&] {
        result.hr = timedOut ? E_TIMEOUT : E_FAIL;
        return result;
    };
    QString addresses;
    if (!pageFile.isEmpty()) {
        const std::optional<QVariant> found = runScriptAndWait(
            page, QStringLiteral("window.__lwEditorCore.localAddresses()"), timeoutMs, &timedOut);
        if (!found || !alive)
            return failed();
        QJsonObject relative;
        for (const QVariant& address : found->toList()) {
            const QUrl url(address.toString());
            if (url.isLocalFile())
                relative.insert(address.toString(),
                                localAddress(QDir::cleanPath(url.toLocalFile()), pageFile));
        }
        if (!relative.isEmpty())
            addresses = QStringLiteral("addresses: %1,")
                            .arg(QString::fromUtf8(QJsonDocument(relative).toJson(QJsonDocument::Compact)));
    }
    const auto ask = [&](bool keep, bool utf8) {
        QString options = addresses + (keep ? QStringLiteral("keep: true,") : QString());
        if (utf8)
            options += QStringLiteral("charset: 'utf-8'");
        return serializeWith(page, QLatin1Char('{') + options + QLatin1Char('}'), timeoutMs, &timedOut);
    };
    std::optional<SerializedPage> own = ask(source != nullptr, false);
    if (!own || !alive)
        return failed();
    result.hr = S_OK;
    result.documentId = own->documentId;
    result.changeCount = own->changeCount;
    result.encoding = own->characterSet;
    if (source && own->unchanged) {
        result.bytes = source->bytes();
        return result;
    }
    bool kept = false;
    if (source && !own->parts.isEmpty()) {
        if (std::optional<QString> text = spliceChecked(page, *own, *source, true, timeoutMs, &timedOut)) {
            own->html = std::move(*text);
            kept = true;
        } else {
            if (!alive)
                return failed();
            own = ask(false, false);
            if (!own || !alive)
                return failed();
        }
    }
    std::optional<QByteArray> bytes = encodeInOwnEncoding(*own);
    if (source && (!kept || !bytes)) {
        using Kind = SourceLoss::Kind;
        result.loss = source->loss();
        if (!result.loss)
            result.loss = {!kept                            ? Kind::Unmatched
                           : own->declaredCharset.isEmpty() ? Kind::UndeclaredEncoding
                                                            : Kind::CharactersOutsideEncoding,
                           own->characterSet};
    }
    if (!bytes) {
        own = ask(kept, true);
        if (!own || !alive)
            return failed();
        std::optional<QString> text =
            kept ? spliceChecked(page, *own, *source, false, timeoutMs, &timedOut) : std::nullopt;
        if (kept && !text) {
            own = ask(false, true);
            if (!own || !alive)
                return failed();
        }
        bytes = (text ? *text : own->html).toUtf8();
        result.encoding = QStringLiteral("UTF-8");
        if (source && source->byteOrderMarkEncoding() == QLatin1String("UTF-8"))
            bytes->prepend(source->byteOrderMark());
    } else if (source &&
               source->byteOrderMarkEncoding().compare(own->characterSet, Qt::CaseInsensitive) == 0) {
        bytes->prepend(source->byteOrderMark());
    }
    result.bytes = std::move(*bytes);
    return result;
}

std::optional<QByteArray> serializeStandalone(QWebEnginePage& page, int timeoutMs) {
    std::optional<SerializedPage> copy =
        serializeWith(page, QStringLiteral("{charset: 'utf-8', base: true}"), timeoutMs);
    if (!copy)
        return std::nullopt;
    return copy->html.toUtf8();
}

} // namespace lw
