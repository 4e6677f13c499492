#include "engine/chromium/EditorPage.h"
#include "engine/chromium/Spelling.h"

#include <QCoreApplication>
#include <QQuickWindow>
#include <QWebEngineCertificateError>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineProfile>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>

namespace lw {

QWebEngineProfile* EditorPage::editingProfile() {
    static QWebEngineProfile* profile = [] {
        // Pages share a few renderer processes instead of one each, which keeps ten open
        // documents within memory; read by the engine when its first profile starts.
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("renderer-process-limit") && !flags.contains("process-per-")) {
            flags += " --renderer-process-limit=2";
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed());
        }
        // Pages reach their windows through Qt Quick, whose software renderer draws them
        // without compiling GL shaders first: on a machine rendering GL in software that cost
        // about a quarter of a second of every start and most of a core while pages painted.
        // A renderer the user chose through Qt's own variables is kept. Set before the engine
        // starts, which reads it, and before the engine's first view exists.
        if (!qEnvironmentVariableIsSet("QT_QUICK_BACKEND") && !qEnvironmentVariableIsSet("QSG_RHI_BACKEND"))
            QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
        spelling::locateDictionaries();
        QWebEngineProfile* p = offTheRecordProfile(QCoreApplication::instance());
        spelling::useLanguages(*p, {});
        return p;
    }();
    return profile;
}

QWebEngineProfile* EditorPage::largePageProfile() {
    static QWebEngineProfile* profile = [] {
        // The first profile sets up how the engine starts and draws.
        editingProfile();
        QWebEngineProfile* p = offTheRecordProfile(QCoreApplication::instance());
        p->setSpellCheckEnabled(false);
        return p;
    }();
    return profile;
}

QWebEngineProfile* EditorPage::offTheRecordProfile(QObject* owner) {
    // No storage name: an off-the-record profile keeps caches and cookies in memory only.
    auto* p = new QWebEngineProfile(owner);
    p->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    QObject::connect(p, &QWebEngineProfile::downloadRequested,
                     [](QWebEngineDownloadRequest* download) { download->cancel(); });
    return p;
}

void EditorPage::applySafeSettings(QWebEnginePage& page) {
    QWebEngineSettings* s = page.settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // Only the editing script ever runs, and it uses the clipboard on the host's command alone;
    // running clipboard commands as scripts keeps them in order with every other command.
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);
    s->setAttribute(QWebEngineSettings::ScreenCaptureEnabled, false);
    s->setAttribute(QWebEngineSettings::AllowRunningInsecureContent, false);
    s->setAttribute(QWebEngineSettings::AllowGeolocationOnInsecureOrigins, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    // A file dropped on the page would otherwise replace it.
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // A page that cannot be loaded shows as an empty page rather than the engine's error text.
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
}

EditorPage::EditorPage(QWebEngineProfile* profile, QObject* parent) : QWebEnginePage(profile, parent) {
    applySafeSettings(*this);
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
            });
    connect(this, &QWebEnginePage::fullScreenRequested, this,
            [](QWebEngineFullScreenRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::certificateError, this,
            [](QWebEngineCertificateError error) { error.rejectCertificate(); });
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    connect(this, &QWebEnginePage::quotaRequested, this,
            [](QWebEngineQuotaRequest request) { request.reject(); });
    QT_WARNING_POP
}

bool EditorPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (type == NavigationTypeTyped && isMainFrame && m_approved.removeOne(url))
        return true;
    // Markup the host loads arrives as a data address, or under the address it was given.
    if (isMainFrame && m_approvedContent &&
        (url.scheme() == QLatin1String("data") || url == *m_approvedContent)) {
        m_approvedContent.reset();
        return true;
    }
    const bool hostAllows = m_filter ? m_filter(url, isMainFrame) : true;
    // A page never replaces itself or what its frames show (a refresh, a link, a form, a
    // reload): saving would write another file's content into the user's. Only a frame's own
    // load, as the page loads or gains the frame, goes ahead.
    return hostAllows && !isMainFrame && type == NavigationTypeOther;
}

QWebEnginePage* EditorPage::createWindow(WebWindowType) {
    return nullptr;
}

QStringList EditorPage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) {
    return {};
}

void EditorPage::javaScriptAlert(const QUrl&, const QString&) {}

bool EditorPage::javaScriptConfirm(const QUrl&, const QString&) {
    return false;
}

bool EditorPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) {
    return false;
}

void EditorPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                          int lineNumber, const QString& sourceID) {
    // Only the editing script can log; its errors are worth seeing while developing.
    if (level == ErrorMessageLevel)
        qWarning("editing script: %s (%s:%d)", qPrintable(message), qPrintable(sourceID), lineNumber);
}

} // namespace lw
