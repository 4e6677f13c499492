#include "engine/chromium/PersonalDictionary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineProfile>

#include <algorithm>
#include <cstdio>
#include <memory>

#ifndef LW_HUNSPELL_DIR
#define LW_HUNSPELL_DIR "/usr/share/hunspell"
#endif
#ifndef LW_CONVERT_DICT
#define LW_CONVERT_DICT ""
#endif

namespace lw::spelling {

namespace {

constexpr char kConverter[] = "qwebengine_convert_dict";

QString bdicName(const QString& dictionary) {
    return dictionary + QStringLiteral(".bdic");
}

// The words a dictionary was rebuilt with, kept beside it.
QString wordsName(const QString& dictionary) {
    return dictionary + QStringLiteral(".words");
}

} // namespace

PersonalDictionary& PersonalDictionary::instance() {
    static auto* dictionary = new PersonalDictionary;
    return *dictionary;
}

// Goes with the application, ending a rebuild still running and removing its files.
PersonalDictionary::PersonalDictionary()
    : QObject(QCoreApplication::instance()), m_words(WordList::defaultPath()) {}

QString PersonalDictionary::prepare(const QString& installed) {
    m_installed = installed;
    m_folder.clear();
    if (installed.isEmpty())
        return installed;
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation))
                               .filePath(QStringLiteral("Tarn/Loomwrite/dictionaries"));
    if (!QDir().mkpath(folder))
        return installed;
    const QDir source(installed);
    const QStringList names = source.entryList({QStringLiteral("*.bdic")}, QDir::Files);
    for (const QString& name : names) {
        const QString entry = QDir(folder).filePath(name);
        const QString target = source.absoluteFilePath(name);
        const QFileInfo info(entry);
        if (info.isSymLink()) {
            if (info.symLinkTarget() == target)
                continue;
            QFile::remove(entry);
        } else if (info.exists()) {
            // A copy rebuilt with the user's words: whether it is still good is seen once the
            // program runs.
            continue;
        }
        // Another copy of the program may have made the same link a moment ago.
        if (!QFile::link(target, entry) && !QFileInfo(entry).isSymLink())
            return installed;
    }
    m_folder = folder;
    return folder;
}

void PersonalDictionary::use(QWebEngineProfile* profile, const QStringList& dictionaries) {
    m_profile = profile;
    m_dictionaries = dictionaries;
    // Nothing is read before the window is up.
    if (!m_scheduled) {
        m_scheduled = true;
        QTimer::singleShot(0, this, &PersonalDictionary::bringUpToDate);
    }
}

QString PersonalDictionary::add(const QString& word) {
    QString error;
    if (!m_words.add(word, &error))
        return tr("The word list %1 cannot be written: %2.").arg(m_words.path(), error);
    const auto keptOnly = [&](const QString& reason) {
        return tr("\u201c%1\u201d is kept in the word list %2, but spelling cannot use it: %3.")
            .arg(word, m_words.path(), reason);
    };
    if (m_folder.isEmpty())
        return keptOnly(tr("the folder for the rebuilt dictionaries cannot be made"));
    if (converter().isEmpty())
        return keptOnly(
            tr("%1 (package qt6-webengine-dev-tools), which rebuilds the dictionaries, is not installed")
                .arg(QLatin1String(kConverter)));
    const bool rebuildable =
        std::any_of(m_dictionaries.cbegin(), m_dictionaries.cend(), [this](const QString& d) {
            return QFileInfo::exists(hunspellFile(d, "dic")) && QFileInfo::exists(hunspellFile(d, "aff"));
        });
    if (!rebuildable)
        return keptOnly(tr("the hunspell dictionary it would be added to is not installed"));
    use(m_profile, m_dictionaries);
    return {};
}

QString PersonalDictionary::converter() const {
    const QString built = QStringLiteral(LW_CONVERT_DICT);
    if (!built.isEmpty() && QFileInfo(built).isExecutable())
        return built;
    const QString installed =
        QDir(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath)).filePath(QLatin1String(kConverter));
    if (QFileInfo(installed).isExecutable())
        return installed;
    return QStandardPaths::findExecutable(QLatin1String(kConverter));
}

QString PersonalDictionary::hunspellFile(const QString& dictionary, const char* suffix) const {
    return QDir(QStringLiteral(LW_HUNSPELL_DIR))
        .filePath(QString(dictionary).replace(QLatin1Char('-'), QLatin1Char('_')) + QLatin1Char('.') +
                  QLatin1String(suffix));
}

bool PersonalDictionary::isCurrent(const QString& dictionary, const QByteArray& words) const {
    const QFileInfo entry(QDir(m_folder).filePath(bdicName(dictionary)));
    if (words.isEmpty())
        return entry.isSymLink() || !entry.exists();
    if (entry.isSymLink() || !entry.isFile())
        return false;
    QFile built(QDir(m_folder).filePath(wordsName(dictionary)));
    if (!built.open(QIODevice::ReadOnly) || built.readAll() != words)
        return false;
    // A newer system dictionary is rebuilt too.
    const QFileInfo source(hunspellFile(dictionary, "dic"));
    return !source.exists() || entry.lastModified() >= source.lastModified();
}

void PersonalDictionary::bringUpToDate() {
    m_scheduled = false;
    if (m_folder.isEmpty())
        return;
    const QStringList list = m_words.read();
    const QByteArray words =
        list.isEmpty() ? QByteArray() : (list.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
    const bool canBuild = !converter().isEmpty();
    for (const QString& dictionary : std::as_const(m_dictionaries)) {
        if (isCurrent(dictionary, words))
            continue;
        if (words.isEmpty()) {
            // The user's words are gone: back to the program's own dictionary.
            const QString entry = QDir(m_folder).filePath(bdicName(dictionary));
            QFile::remove(entry);
            QFile::remove(QDir(m_folder).filePath(wordsName(dictionary)));
            QFile::link(QDir(m_installed).absoluteFilePath(bdicName(dictionary)), entry);
            m_reloadDue = true;
            continue;
        }
        // A rebuild that failed is not tried again until the words change.
        if (!canBuild || m_tried.value(dictionary) == words)
            continue;
        m_tried.insert(dictionary, words);
        m_queue.append({dictionary, words});
    }
    startNext();
}

void PersonalDictionary::startNext() {
    if (m_building)
        return;
    if (m_queue.isEmpty()) {
        if (m_reloadDue)
            reload();
        return;
    }
    const Rebuild rebuild = m_queue.takeFirst();
    // The converter reads name.dic, name.aff and the extra words of name.dic_delta side by side.
    auto work = std::make_shared<QTemporaryDir>(QDir(m_folder).filePath(QStringLiteral("build-XXXXXX")));
    const QString name = QString(rebuild.dictionary).replace(QLatin1Char('-'), QLatin1Char('_'));
    const QString dic = work->filePath(name + QStringLiteral(".dic"));
    const QString built = work->filePath(bdicName(rebuild.dictionary));
    QFile delta(work->filePath(name + QStringLiteral(".dic_delta")));
    const bool ready =
        work->isValid() && QFile::link(hunspellFile(rebuild.dictionary, "dic"), dic) &&
        QFile::link(hunspellFile(rebuild.dictionary, "aff"), work->filePath(name + QStringLiteral(".aff"))) &&
        delta.open(QIODevice::WriteOnly) && delta.write(rebuild.words) == rebuild.words.size() &&
        delta.flush();
    delta.close();
    if (!ready) {
        finish(rebuild, QString(), false);
        return;
    }
    m_building = true;
    auto* process = new QProcess(this);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this,
            [this, process, work, rebuild, built](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                finish(rebuild, built, status == QProcess::NormalExit && code == 0);
            });
    connect(process, &QProcess::errorOccurred, this, [this, process, rebuild](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        finish(rebuild, QString(), false);
    });
    process->start(converter(), {dic, built});
}

void PersonalDictionary::finish(const Rebuild& rebuild, const QString& built, bool ok) {
    m_building = false;
    const QString entry = QDir(m_folder).filePath(bdicName(rebuild.dictionary));
    // The rebuilt copy replaces the link in one step, so the engine never finds a partial file.
    if (ok && QFileInfo(built).size() > 0 &&
        std::rename(QFile::encodeName(built).constData(), QFile::encodeName(entry).constData()) == 0) {
        QSaveFile words(QDir(m_folder).filePath(wordsName(rebuild.dictionary)));
        if (words.open(QIODevice::WriteOnly) && words.write(rebuild.words) == rebuild.words.size())
            words.commit();
        m_reloadDue = true;
    } else {
        qWarning("spelling: the %s dictionary could not be rebuilt with the user's words",
                 qPrintable(rebuild.dictionary));
    }
    startNext();
}

void PersonalDictionary::reload() {
    m_reloadDue = false;
    if (!m_profile)
        return;
    // The engine opens a language's dictionary file when the language is switched on, and
    // checks a page's words again only when checking is switched on; marks of words it knows
    // now would stay otherwise.
    const QStringList languages = m_profile->spellCheckLanguages();
    m_profile->setSpellCheckEnabled(false);
    m_profile->setSpellCheckLanguages({});
    m_profile->setSpellCheckLanguages(languages);
    m_profile->setSpellCheckEnabled(true);
    emit applied();
}

} // namespace lw::spelling
