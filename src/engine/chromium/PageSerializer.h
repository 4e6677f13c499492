#pragma once
// Turns the editing script's serialisation of a page into the bytes of a file: the page's
// own encoding when every character fits in it, otherwise UTF-8 with the charset declaration
// rewritten, so the bytes never contradict what the file declares.

#include "engine/EngineTypes.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

#include <optional>

class QWebEnginePage;

namespace lw {

class PageSource;

// What the script reports for one serialisation.
struct SerializedPage {
    QString html;
    // The encoding the page was decoded with (canonical name).
    QString characterSet;
    // The first charset declaration of the page as written, and its canonical name.
    QString declaredCharset;
    QString declaredEncoding;
    QString documentId;
    quint64 changeCount = 0;
    // With the loaded source kept: nothing changed since the load, or the parts of the file
    // (new markup and ranges of the source).
    bool unchanged = false;
    QVariantList parts;

    static std::optional<SerializedPage> fromScriptResult(const QVariant& result);
};

// The page's text in its own encoding, or nothing when it has to be written as UTF-8 with a
// new declaration: a character that the encoding cannot hold, an encoding that is not
// ASCII-compatible or unknown, or non-ASCII text without any declaration.
std::optional<QByteArray> encodeInOwnEncoding(const SerializedPage& page);
// Text in a named encoding, or nothing when a character does not survive the round trip or
// the encoding would hide the markup from a parser reading byte by byte.
std::optional<QByteArray> encodeExactly(const QString& encoding, const QString& text);

struct SaveResult {
    HRESULT hr = E_FAIL;
    QByteArray bytes;
    // The encoding the bytes are in.
    QString encoding;
    QString documentId;
    quint64 changeCount = 0;
    // For a page with its loaded source: why the bytes are not the source's beyond the edit.
    SourceLoss loss;
};

// A save of a page nobody changed since it was loaded from loadedBytes, which are what it
// writes, asked without the source's parse; nothing when the page changed, is not the page
// documentId names, or did not answer in time (timedOut tells).
std::optional<SaveResult> saveUnchanged(QWebEnginePage& page, int timeoutMs, const QByteArray& loadedBytes,
                                        const QString& documentId, bool* timedOut);

// Serialises the page as a file would hold it, waiting at most timeoutMs for each answer
// (E_TIMEOUT when an answer did not come in time). With the source the page was loaded from,
// what did not change is written as it was loaded. With pageFile, the file a page without one
// of its own is written to, its absolute local addresses are written relative to that file.
SaveResult serializeForFile(QWebEnginePage& page, int timeoutMs, const PageSource* source = nullptr,
                            const QString& pageFile = {});

// How a page in pageFile refers to a local file: relative to the page's folder, so that the
// page and its files can be published or moved together.
QString localAddress(const QString& file, const QString& pageFile);

// The page as UTF-8 with its address as base, for a copy that must look the same elsewhere.
std::optional<QByteArray> serializeStandalone(QWebEnginePage& page, int timeoutMs);

} // namespace lw
