#pragma once
// The page an engine edits. Its own scripts never run, it opens no windows, downloads
// nothing, is granted no permission and shows no dialog; every navigation it would start is
// put to the host first, and none but its frames' own loads ever goes ahead.

#include <QList>
#include <QUrl>
#include <QWebEnginePage>

#include <functional>
#include <optional>

class QWebEngineProfile;

namespace lw {

class EditorPage : public QWebEnginePage {
    Q_OBJECT

public:
    // Asked for every navigation; false stops it. Only a navigation approved beforehand and the
    // first load of a frame can go ahead.
    using NavigationFilter = std::function<bool(const QUrl& url, bool isMainFrame)>;

    EditorPage(QWebEngineProfile* profile, QObject* parent);

    void setNavigationFilter(NavigationFilter filter) { m_filter = std::move(filter); }
    // The next typed navigation to url was put to the host already, by navigate().
    void approveTypedNavigation(const QUrl& url) { m_approved.append(url); }
    // The next load of the main frame is markup the host hands over, with base as its address.
    void approveContentLoad(const QUrl& base) { m_approvedContent = base; }
    // A load of url started; some (about:blank) start without being asked for.
    void dropApproval(const QUrl& url) { m_approved.removeOne(url); }

    // The profile every editing page shares: nothing is written to disk and downloads are
    // refused.
    static QWebEngineProfile* editingProfile();
    // A profile like it for large pages: they share no renderer with the other pages, so their
    // long layouts never hold those up, and it checks no spelling, which in a page that large
    // would keep its renderer busy for minutes. It lives as long as the program, like the
    // other, so that a print copy made from a large page may use it too.
    static QWebEngineProfile* largePageProfile();
    // Page settings for an editing page or a print copy: no page scripts, no plug-ins.
    static void applySafeSettings(QWebEnginePage& page);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& msg) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& msg, const QString& defaultValue,
                          QString* result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int lineNumber,
                                  const QString& sourceID) override;

private:
    static QWebEngineProfile* offTheRecordProfile(QObject* owner);

    NavigationFilter m_filter;
    QList<QUrl> m_approved;
    std::optional<QUrl> m_approvedContent;
};

} // namespace lw
