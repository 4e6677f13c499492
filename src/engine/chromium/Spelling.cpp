#include "engine/chromium/Spelling.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QWebEngineProfile>

#include <algorithm>

namespace lw::spelling {

namespace {

constexpr char kPathVariable[] = "QTWEBENGINE_DICTIONARIES_PATH";

QString dictionariesFolder() {
    const QByteArray set = qgetenv(kPathVariable);
    if (!set.isEmpty())
        return QString::fromLocal8Bit(set);
    // Beside the program in a build, in its data folder once installed.
    const QDir program(QCoreApplication::applicationDirPath());
    for (const QString& candidate :
         {QStringLiteral("qtwebengine_dictionaries"), QStringLiteral("../share/loomwrite/dictionaries")}) {
        if (program.exists(candidate))
            return QDir::cleanPath(program.absoluteFilePath(candidate));
    }
    return QString();
}

} // namespace

void locateDictionaries() {
    const QString folder = dictionariesFolder();
    if (!folder.isEmpty() && qEnvironmentVariableIsEmpty(kPathVariable))
        qputenv(kPathVariable, QFile::encodeName(folder));
}

QStringList availableLanguages() {
    // Read once: the program's dictionaries do not change while it runs.
    static const QStringList languages = [] {
        QStringList found;
        const QString folder = dictionariesFolder();
        if (folder.isEmpty())
            return found;
        const QStringList files = QDir(folder).entryList({QStringLiteral("*.bdic")}, QDir::Files, QDir::Name);
        for (const QString& file : files)
            found << file.chopped(5);
        return found;
    }();
    return languages;
}

QStringList dictionariesFor(const QStringList& languages, const QStringList& available) {
    QStringList chosen;
    for (QString tag : languages) {
        tag = tag.trimmed().replace(QLatin1Char('_'), QLatin1Char('-'));
        if (tag.isEmpty())
            continue;
        QString found;
        for (const QString& language : available) {
            if (language.compare(tag, Qt::CaseInsensitive) == 0) {
                found = language;
                break;
            }
        }
        const QString base = tag.section(QLatin1Char('-'), 0, 0);
        const auto sameFamily = [&base](const QString& language) {
            return language.section(QLatin1Char('-'), 0, 0).compare(base, Qt::CaseInsensitive) == 0;
        };
        // A language already served by one of its family's dictionaries needs no other.
        if (found.isEmpty() && std::any_of(chosen.cbegin(), chosen.cend(), sameFamily))
            continue;
        for (const QString& language : available) {
            if (!found.isEmpty())
                break;
            if (sameFamily(language))
                found = language;
        }
        if (!found.isEmpty() && !chosen.contains(found))
            chosen << found;
    }
    return chosen;
}

void useLanguages(QWebEngineProfile& profile, const QStringList& languages) {
    const QStringList dictionaries =
        dictionariesFor(QStringList(languages) << QLocale().bcp47Name(), availableLanguages());
    if (dictionaries.isEmpty())
        return;
    if (profile.spellCheckLanguages() != dictionaries)
        profile.setSpellCheckLanguages(dictionaries);
    profile.setSpellCheckEnabled(true);
}

} // namespace lw::spelling
