#include "engine/chromium/Spelling.h"
#include "engine/chromium/PersonalDictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QList>
#include <QLocale>
#include <QPointer>
#include <QWebEngineProfile>

#include <algorithm>

namespace lw::spelling {

namespace {

constexpr char kPathVariable[] = "QTWEBENGINE_DICTIONARIES_PATH";

struct OpenPage {
    const void* page;
    QStringList dictionaries;
};

// The pages open in the editing profile, in the order they opened.
struct OpenPages {
    QPointer<QWebEngineProfile> profile;
    QList<OpenPage> pages;
};

OpenPages& openPages() {
    static OpenPages pages;
    return pages;
}

QStringList ownOrLocaleDictionaries(const QStringList& languages) {
    QStringList dictionaries = dictionariesFor(languages, availableLanguages());
    if (dictionaries.isEmpty())
        dictionaries = dictionariesFor({QLocale().bcp47Name()}, availableLanguages());
    return dictionaries;
}

void checkWith(QWebEngineProfile& profile, const QStringList& dictionaries) {
    if (dictionaries.isEmpty())
        return;
    if (profile.spellCheckLanguages() != dictionaries)
        profile.setSpellCheckLanguages(dictionaries);
    profile.setSpellCheckEnabled(true);
    PersonalDictionary::instance().use(&profile, dictionaries);
}

void checkOpenPages() {
    OpenPages& open = openPages();
    if (!open.profile)
        return;
    QStringList dictionaries;
    for (const OpenPage& page : std::as_const(open.pages)) {
        for (const QString& dictionary : page.dictionaries) {
            if (!dictionaries.contains(dictionary))
                dictionaries << dictionary;
        }
    }
    checkWith(*open.profile, dictionaries.isEmpty() ? ownOrLocaleDictionaries({}) : dictionaries);
}

} // namespace

QString installedFolder() {
    // Read once: locateDictionaries() points the variable elsewhere afterwards.
    static const QString folder = [] {
        const QByteArray set = qgetenv(kPathVariable);
        if (!set.isEmpty())
            return QDir::cleanPath(QDir(QString::fromLocal8Bit(set)).absolutePath());
        const QDir program(QCoreApplication::applicationDirPath());
        for (const QString& candidate : {QStringLiteral("qtwebengine_dictionaries"),
                                         QStringLiteral("../share/loomwrite/dictionaries")}) {
            if (program.exists(candidate))
                return QDir::cleanPath(program.absoluteFilePath(candidate));
        }
        return QString();
    }();
    return folder;
}

void locateDictionaries() {
    const QString folder = PersonalDictionary::instance().prepare(installedFolder());
    if (!folder.isEmpty())
        qputenv(kPathVariable, QFile::encodeName(folder));
}

QStringList availableLanguages() {
    // Read once: the program's dictionaries do not change while it runs.
    static const QStringList languages = [] {
        QStringList found;
        const QString folder = installedFolder();
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
        // Of a family, the language's home country first: "de" is de-DE rather than de-BE.
        const QString home = base + QLatin1Char('-') + base.toUpper();
        for (const QString& language : available) {
            if (found.isEmpty() && language.compare(home, Qt::CaseInsensitive) == 0)
                found = language;
        }
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
    checkWith(profile, ownOrLocaleDictionaries(languages));
}

void setPageLanguages(QWebEngineProfile& profile, const void* page, const QStringList& languages) {
    OpenPages& open = openPages();
    open.profile = &profile;
    const QStringList dictionaries = ownOrLocaleDictionaries(languages);
    const auto it = std::find_if(open.pages.begin(), open.pages.end(),
                                 [page](const OpenPage& each) { return each.page == page; });
    if (it == open.pages.end())
        open.pages.append({page, dictionaries});
    else if (it->dictionaries != dictionaries)
        it->dictionaries = dictionaries;
    else
        return;
    checkOpenPages();
}

void forgetPage(const void* page) {
    OpenPages& open = openPages();
    const auto removed = open.pages.removeIf([page](const OpenPage& each) { return each.page == page; });
    if (removed)
        checkOpenPages();
}

} // namespace lw::spelling
