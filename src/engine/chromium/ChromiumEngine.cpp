#include "engine/chromium/ChromiumEngine.h"

#include "engine/chromium/EditorPage.h"
#include "engine/chromium/KeyHookFilter.h"
#include "engine/chromium/PageBridge.h"
#include "engine/chromium/PageCall.h"
#include "engine/chromium/PagePrinter.h"
#include "engine/chromium/PageSerializer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWebChannel>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineView>

// Resources of a static library are linked in only when something refers to them.
static void initEngineResources() {
    Q_INIT_RESOURCE(engine);
}

namespace lw {

namespace {

// Chromium's code for a load that was cut short: a refused navigation, or one replaced by
// the next before it committed. Neither leaves a new page behind.
constexpr int kLoadAborted = -3;

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("engine resource missing: %s", qPrintable(path));
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

QUrl urlFromUserText(const QString& text) {
    const QFileInfo info(text);
    if (info.isAbsolute() || info.exists())
        return QUrl::fromLocalFile(info.absoluteFilePath());
    const QUrl url(text, QUrl::StrictMode);
    // A one-letter scheme would be a drive letter, which is no URL here either.
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(text));
}

// A JavaScript literal for a value; JSON is a subset of it.
QString scriptLiteral(const QJsonValue& value) {
    const QByteArray wrapped = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(wrapped.mid(1, wrapped.size() - 2));
}

} // namespace

ChromiumEngine::ChromiumEngine(QWidget* parent) {
    initEngineResources();
    m_view = new QWebEngineView(parent);
    m_page = new EditorPage(EditorPage::editingProfile(), m_view);
    m_page->setNavigationFilter([this](const QUrl& url, bool) { return onNavigationRequest(url); });
    m_view->setPage(m_page);

    m_bridge = new PageBridge(this);
    m_channel = new QWebChannel(this);
    m_channel->registerObject(QStringLiteral("lwHost"), m_bridge);
    m_page->setWebChannel(m_channel, kEditingWorld);
    connect(m_bridge, &PageBridge::snapshotArrived, this, &ChromiumEngine::onSnapshot);
    installEditingScript();

    connect(m_page, &QWebEnginePage::loadingChanged, this, &ChromiumEngine::onLoadingChanged);
    new KeyHookFilter(m_view, [this] { return acceleratorHook; });
}

ChromiumEngine::~ChromiumEngine() {
    *m_alive = false;
    // The page goes with its view; the view is ours unless a parent took it away already.
    delete m_view;
}

void ChromiumEngine::installEditingScript() {
    QWebEngineScript script;
    script.setName(QStringLiteral("loomwrite-editing"));
    script.setWorldId(kEditingWorld);
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setRunsOnSubFrames(false);
    script.setSourceCode(readResource(QStringLiteral(":/qtwebchannel/qwebchannel.js")) + QLatin1Char('\n') +
                         readResource(QStringLiteral(":/lw/engine/editing.js")));
    m_page->scripts().insert(script);
}

QWidget* ChromiumEngine::widget() const {
    return m_view;
}

QWebEnginePage* ChromiumEngine::page() const {
    return m_page;
}

QUrl ChromiumEngine::url() const {
    return m_hasDocument && m_page ? m_page->url() : QUrl();
}

void ChromiumEngine::navigate(const QString& urlOrPath) {
    if (!m_page)
        return;
    const QUrl url = urlFromUserText(urlOrPath);
    bool cancel = false;
    emit beforeNavigate(url, &cancel);
    if (cancel || !m_page)
        return;
    // The page asks again for the navigation it is told to make; the host answered already.
    m_page->approveTypedNavigation(url);
    m_page->load(url);
}

bool ChromiumEngine::onNavigationRequest(const QUrl& url) {
    bool cancel = false;
    emit beforeNavigate(url, &cancel);
    return !cancel;
}

void ChromiumEngine::onLoadingChanged(const QWebEngineLoadingInfo& info) {
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        m_page->dropApproval(info.url());
        m_documentIdAtLoadStart = m_documentId;
        return;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        return;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (info.errorCode() == kLoadAborted)
            return;
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        break;
    }
    if (m_documentId == m_documentIdAtLoadStart) {
        // The new page has not reported yet: nothing of the old one applies to it.
        m_snapshot = EngineSnapshot();
        m_documentId.clear();
        m_knownChanges = 0;
        m_savedChanges = 0;
    }
    m_hasDocument = true;
    emit documentComplete(info.url().toString());
}

void ChromiumEngine::onSnapshot(const EngineSnapshot& snapshot) {
    if (snapshot.documentId != m_documentId) {
        m_documentId = snapshot.documentId;
        m_knownChanges = 0;
        m_savedChanges = 0;
    }
    m_knownChanges = std::max(m_knownChanges, snapshot.changeCount);
    m_snapshot = snapshot;
    emit uiUpdate();
}

void ChromiumEngine::runInPage(const QString& script, std::function<void(const QVariant&)> callback) {
    if (!m_page)
        return;
    if (!callback) {
        m_page->runJavaScript(script, kEditingWorld);
        return;
    }
    std::weak_ptr<bool> alive = m_alive;
    m_page->runJavaScript(script, kEditingWorld, [alive, callback](const QVariant& result) {
        if (auto engine = alive.lock(); engine && *engine)
            callback(result);
    });
}

void ChromiumEngine::setDesignMode(bool on) {
    const QString script = QStringLiteral("window.__lwEditor ? window.__lwEditor.setDesignMode(%1) : null")
                               .arg(on ? QStringLiteral("true") : QStringLiteral("false"));
    runInPage(script, [this](const QVariant& result) {
        const QVariantMap answer = result.toMap();
        if (answer.isEmpty())
            return;
        m_snapshot.designMode = answer.value(QStringLiteral("now")).toBool();
        // The page became editable: the host hears of it as of a newly completed page.
        if (!answer.value(QStringLiteral("was")).toBool() && m_snapshot.designMode && m_hasDocument && m_page)
            emit documentComplete(m_page->url().toString());
    });
}

HRESULT ChromiumEngine::initNew() {
    if (!m_hasDocument || !m_page)
        return E_UNEXPECTED;
    if (m_waiting)
        return E_UNEXPECTED;
    m_waiting = true;
    const std::optional<QVariant> id = runScriptAndWait(
        *m_page, QStringLiteral("window.__lwEditor ? window.__lwEditor.initNew() : ''"), kPageTimeoutMs);
    m_waiting = false;
    if (!id || id->toString().isEmpty())
        return E_FAIL;
    m_documentId = id->toString();
    m_knownChanges = 0;
    m_savedChanges = 0;
    return S_OK;
}

HRESULT ChromiumEngine::save(QIODevice& out) {
    if (!m_hasDocument || !m_page)
        return E_UNEXPECTED;
    // A timer firing during the wait must not start a second save of the same page.
    if (m_waiting)
        return E_UNEXPECTED;
    m_waiting = true;
    const SaveResult result = serializeForFile(*m_page, kPageTimeoutMs);
    m_waiting = false;
    if (FAILED(result.hr))
        return result.hr;
    if (out.write(result.bytes) != result.bytes.size())
        return E_FAIL;
    if (result.documentId != m_documentId) {
        m_documentId = result.documentId;
        m_knownChanges = result.changeCount;
    }
    m_savedChanges = result.changeCount;
    return S_OK;
}

HRESULT ChromiumEngine::isDirty() const {
    // Without a page nothing can have been changed.
    if (!m_hasDocument)
        return S_FALSE;
    return m_knownChanges > m_savedChanges ? S_OK : S_FALSE;
}

HRESULT ChromiumEngine::queryStatus(quint32 cmd, quint32& flags) const {
    flags = 0;
    if (!m_hasDocument)
        return E_UNEXPECTED;
    flags = m_snapshot.flags.value(cmd, 0);
    return S_OK;
}

HRESULT ChromiumEngine::exec(quint32 cmd, const Variant* in, Variant* out) {
    if (!m_hasDocument || !m_page)
        return E_UNEXPECTED;
    const auto status = m_snapshot.flags.constFind(cmd);
    if (status == m_snapshot.flags.cend())
        return OLECMDERR_E_NOTSUPPORTED;
    const bool noInput = !in || in->isEmpty();
    if (out && noInput) {
        const auto value = m_snapshot.values.constFind(cmd);
        if (value != m_snapshot.values.cend()) {
            *out = *value;
            return S_OK;
        }
    }
    HRESULT error = S_OK;
    const QJsonValue argument = noInput ? QJsonValue(QJsonValue::Null) : variantToJson(*in, error);
    if (FAILED(error))
        return error;
    if ((*status & (OLECMDF_ENABLED | OLECMDF_LATCHED)) == 0)
        return OLECMDERR_E_DISABLED;
    runInPage(QStringLiteral("window.__lwEditor && window.__lwEditor.exec(%1, %2)")
                  .arg(cmd)
                  .arg(scriptLiteral(argument)));
    if (out)
        out->clear();
    return S_OK;
}

HRESULT ChromiumEngine::print() {
    if (QPrinterInfo::defaultPrinter().isNull())
        return E_FAIL;
    return print(std::make_shared<QPrinter>(QPrinter::HighResolution));
}

HRESULT ChromiumEngine::print(std::shared_ptr<QPrinter> printer) {
    if (!printer)
        return E_INVALIDARG;
    if (!m_hasDocument || !m_page || m_waiting)
        return E_UNEXPECTED;
    m_waiting = true;
    const std::optional<QByteArray> copy = serializeStandalone(*m_page, kPageTimeoutMs);
    m_waiting = false;
    if (!copy)
        return E_FAIL;
    std::weak_ptr<bool> alive = m_alive;
    const bool started = PagePrinter::start(*copy, std::move(printer), this, [this, alive](bool ok) {
        if (auto engine = alive.lock(); engine && *engine)
            emit printFinished(ok);
    });
    return started ? S_OK : E_FAIL;
}

QWidget* ChromiumEngine::focusWindow() const {
    if (!m_view)
        return nullptr;
    return m_view->focusProxy() ? m_view->focusProxy() : m_view.data();
}

void ChromiumEngine::focus() {
    if (QWidget* target = focusWindow())
        target->setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<IHtmlEngine> createChromiumEngine(QWidget* parent) {
    return std::make_unique<ChromiumEngine>(parent);
}

} // namespace lw
