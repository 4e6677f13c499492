#pragma once
// The bytes a page was loaded from, parsed once by an HTML5 parser that reports where every
// node came from, so that a save writes back what the user did not touch exactly as it was
// and serialises only what changed.

#include "engine/EngineTypes.h"

#include <QByteArray>
#include <QJsonArray>
#include <QString>
#include <QVariantList>

#include <memory>
#include <optional>

namespace lw {

class PageSource {
public:
    // The page's bytes as the engine decoded them (characterSet is the engine's name for the
    // encoding). Never fails: a page that cannot be decoded and mapped still keeps its bytes.
    static std::shared_ptr<const PageSource> fromBytes(QByteArray bytes, const QString& characterSet);
    // A local file's bytes; nothing when it cannot be read.
    static std::optional<QByteArray> readFile(const QString& path);

    // Exactly what was loaded, for a save of a page nobody changed.
    const QByteArray& bytes() const { return m_bytes; }
    // Whether parts of the source can be spliced with new markup: the text re-encodes to the
    // same bytes and the parser's tree could be laid over the source.
    bool canSplice() const { return !m_nodeMap.isEmpty(); }
    // Why an edit cannot keep the rest of the bytes as they are, whatever the edit.
    const SourceLoss& loss() const { return m_loss; }
    // The byte-order mark the page started with, if any, and the encoding it names.
    const QByteArray& byteOrderMark() const { return m_bom; }
    QString byteOrderMarkEncoding() const;
    // Where each parsed node lies in the text, as a JavaScript literal for the page script.
    const QString& nodeMap() const { return m_nodeMap; }

    // The decoded text as a JavaScript literal: the page keeps it, so that checking a splice
    // needs only its parts, not the whole text again with every save.
    QString textLiteral() const;
    // Tells this source from any other the program read, so that the page checks a splice
    // against the very text the save writes.
    quint64 id() const { return m_id; }

    // The text made of the script's parts: strings are new markup, [start, end] pairs are
    // ranges of the decoded source. Nothing when a range lies outside the source. written,
    // when given, gets the parts as the text holds them (new markup in the page's style).
    std::optional<QString> splice(const QVariantList& parts, QJsonArray* written = nullptr) const;

private:
    void parse();
    // New markup written the way the page writes its own tags: their case, the quotes round
    // values, a slash closing empty elements.
    QString restyled(const QString& markup) const;

    quint64 m_id = 0;
    QByteArray m_bytes;
    QByteArray m_bom;
    QString m_text;
    QString m_nodeMap;
    SourceLoss m_loss;
    // Every line of the page ends in CR LF.
    bool m_crlf = false;
    bool m_upperCaseTags = false;
    bool m_slashedVoidTags = false;
    bool m_singleQuotes = false;
};

} // namespace lw
