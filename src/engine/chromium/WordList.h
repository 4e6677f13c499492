#pragma once
// The user's own words for spell checking: a UTF-8 text file, one word a line. A line that is
// no word (blank, two words, too long, not UTF-8) is skipped when the file is read, so a
// damaged file costs only its damaged lines; spaces around a word do not count.

#include <QString>
#include <QStringList>

namespace lw::spelling {

class WordList {
public:
    explicit WordList(QString path) : m_path(std::move(path)) {}

    // words.txt in the program's folder of the user's data.
    static QString defaultPath();
    // Whether word can be kept: one word without spaces, control characters or slashes (the
    // dictionary converter reads a slash as the start of affix flags), at most 99 bytes of UTF-8.
    static bool isWord(const QString& word);

    const QString& path() const { return m_path; }
    // The words in the file, sorted, without repeats; none when it is missing or unreadable.
    QStringList read() const;
    // Adds word at the end of the file, keeping every line already in it; false with the reason
    // in error when the file cannot be written.
    bool add(const QString& word, QString* error) const;

private:
    QString m_path;
};

} // namespace lw::spelling
