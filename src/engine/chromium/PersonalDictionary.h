#pragma once
// Makes the engine's spell checker accept the user's own words. The engine takes no word while
// it runs, so it reads its dictionaries from a folder of the user's: links to the program's
// dictionaries, and for each language checked while the user has words of their own, a copy
// rebuilt from the system's hunspell dictionary with those words added. Rebuilds run in the
// background, one at a time; then the profile loads its dictionaries again, which takes the
// marks off words that are now known in every open page.

#include "engine/chromium/WordList.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QStringList>

class QWebEngineProfile;

namespace lw::spelling {

class PersonalDictionary : public QObject {
    Q_OBJECT

public:
    static PersonalDictionary& instance();

    // Lays out the user's folder of dictionaries, linking each of installed's, and returns it;
    // returns installed itself when the folder cannot be made. Cheap: no dictionary is read.
    QString prepare(const QString& installed);
    // The profile whose checker reads the folder, and the dictionaries it checks with now;
    // those that lack the user's words are rebuilt, starting once the event loop runs.
    void use(QWebEngineProfile* profile, const QStringList& dictionaries);

    // Adds word to the word list. Returns an empty text when the checker will accept it in a
    // moment, else what stops that, for the user.
    QString add(const QString& word);

    const WordList& wordList() const { return m_words; }
    // No dictionary is being rebuilt or waits to be; the checker has what there is.
    bool idle() const { return !m_scheduled && !m_building && m_queue.isEmpty(); }

signals:
    // The checker has loaded dictionaries holding every word of the list.
    void applied();

private:
    PersonalDictionary();
    struct Rebuild {
        QString dictionary;
        QByteArray words;
    };

    QString converter() const;
    QString hunspellFile(const QString& dictionary, const char* suffix) const;
    bool isCurrent(const QString& dictionary, const QByteArray& words) const;
    void bringUpToDate();
    void startNext();
    void finish(const Rebuild& rebuild, const QString& built, bool ok);
    void reload();

    WordList m_words;
    QString m_installed;
    QString m_folder;
    QPointer<QWebEngineProfile> m_profile;
    QStringList m_dictionaries;
    // The words each dictionary was last rebuilt with, or tried to be.
    QHash<QString, QByteArray> m_tried;
    QList<Rebuild> m_queue;
    bool m_building = false;
    bool m_scheduled = false;
    bool m_reloadDue = false;
};

} // namespace lw::spelling
