// The languages a page is checked in, its own and its elements', read when a page is shown,
// when its language changes and a moment after it is edited; and adding a word to the user's
// word list.

#include "engine/EngineDialogs.h"
#include "engine/chromium/ChromiumEngine.h"
#include "engine/chromium/EditorPage.h"
#include "engine/chromium/PersonalDictionary.h"
#include "engine/chromium/Spelling.h"

#include <QJsonObject>
#include <QTimer>

namespace lw {

namespace {

// Edits come in bursts; the page's languages are read once a burst is over, not at every key.
constexpr int kLanguageReadDelayMs = 1000;

} // namespace

void ChromiumEngine::followLanguages(const EngineSnapshot& snapshot, bool newDocument) {
    const QString language = snapshot.context.value(QStringLiteral("pageProperties"))
                                 .toObject()
                                 .value(QStringLiteral("language"))
                                 .toString();
    if (newDocument || language != m_pageLanguage) {
        m_pageLanguage = language;
        m_languagesChangeCount = snapshot.changeCount;
        readPageLanguages();
    } else if (snapshot.changeCount > m_languagesChangeCount && !m_languagesReadDue) {
        m_languagesReadDue = true;
        QTimer::singleShot(kLanguageReadDelayMs, this, [this] {
            m_languagesReadDue = false;
            readPageLanguages();
        });
    }
}

void ChromiumEngine::readPageLanguages() {
    const quint64 changes = m_knownChanges;
    runInPage(QStringLiteral(
                  "(() => { const found = new Set([document.documentElement.getAttribute('lang') || '']);"
                  " for (const e of document.querySelectorAll('[lang]')) found.add(e.getAttribute('lang'));"
                  " return [...found]; })()"),
              [this, changes](const QVariant& result) {
                  m_languagesChangeCount = std::max(m_languagesChangeCount, changes);
                  // A large page's own profile checks no spelling.
                  if (m_page && m_page->profile() == EditorPage::editingProfile())
                      spelling::setPageLanguages(*m_page->profile(), this, result.toStringList());
              });
}

void ChromiumEngine::addToDictionary(const QString& word) {
    const QString problem = spelling::PersonalDictionary::instance().add(word);
    if (problem.isEmpty())
        return;
    qWarning("%s", qPrintable(problem));
    if (!m_silent)
        dialogProvider().tell(dialogParent(), problem);
}

} // namespace lw
