#include "engine/chromium/WordList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringDecoder>

#include <algorithm>

namespace lw::spelling {

namespace {

constexpr qsizetype kMaxWordBytes = 99;
// Far more than anyone's own words; a larger file is damaged, and only its start is read.
constexpr qint64 kMaxReadBytes = 16 * 1024 * 1024;

QStringList wordsIn(const QByteArray& bytes) {
    QStringList words;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString word = QString(utf8(line)).trimmed();
        if (!utf8.hasError() && WordList::isWord(word))
            words << word;
    }
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    return words;
}

} // namespace

QString WordList::defaultPath() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("Tarn/Loomwrite/words.txt"));
}

bool WordList::isWord(const QString& word) {
    if (word.isEmpty() || word.toUtf8().size() > kMaxWordBytes)
        return false;
    return std::none_of(word.cbegin(), word.cend(), [](QChar c) {
        return c.isSpace() || c.category() == QChar::Other_Control || c == QLatin1Char('/') ||
               c == QChar::ReplacementCharacter;
    });
}

QStringList WordList::read() const {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return wordsIn(file.read(kMaxReadBytes));
}

bool WordList::add(const QString& word, QString* error) const {
    const auto fail = [&](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!isWord(word))
        return fail(QStringLiteral("not a word"));
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return fail(QStringLiteral("cannot create the folder %1").arg(QFileInfo(m_path).absolutePath()));
    // Another running copy of the program may add a word at the same moment; should the lock
    // not come, the worst is that one of the two words is lost.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    lock.tryLock(2000);
    QByteArray bytes;
    QFile current(m_path);
    if (current.open(QIODevice::ReadOnly)) {
        bytes = current.readAll();
        current.close();
    } else if (current.exists()) {
        return fail(current.errorString());
    }
    if (wordsIn(bytes).contains(word))
        return true;
    if (!bytes.isEmpty() && !bytes.endsWith('\n'))
        bytes += '\n';
    bytes += word.toUtf8() + '\n';
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace lw::spelling
