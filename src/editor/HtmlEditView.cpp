#include "editor/HtmlEditView.h"

#include "editor/EngineFactory.h"
#include "framework/core/FrameworkIds.h"

#include <QVBoxLayout>
#include <QWidget>

namespace lw {

BEGIN_MESSAGE_MAP(CHtmlEditView, CWidgetView)
    ON_COMMAND(ID_FILE_PRINT_DIRECT, &CHtmlEditView::OnFilePrintDirect)
    ON_COMMAND(ID_FILE_PRINT, &CHtmlEditView::OnFilePrint)
END_MESSAGE_MAP()

CHtmlEditView::CHtmlEditView() = default;

CHtmlEditView::~CHtmlEditView() {
    // The engine's window lives inside the view's widget; end the engine first.
    if (m_engine)
        m_engine->disconnect();
    m_engine.reset();
}

QWidget* CHtmlEditView::CreateViewWidget() {
    const HtmlEngineFactory& factory = GetHtmlEngineFactory();
    if (!factory)
        return nullptr;
    auto* host = new QWidget;
    m_engine = factory(host);
    if (!m_engine || !m_engine->widget()) {
        m_engine.reset();
        delete host;
        return nullptr;
    }
    auto* layout = new QVBoxLayout(host);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_engine->widget());
    host->setFocusProxy(m_engine->focusWindow());

    IHtmlEngine* engine = m_engine.get();
    QObject::connect(engine, &IHtmlEngine::documentComplete, host,
                     [this](const QString& url) { OnEngineDocumentComplete(url); });
    // The cancel flag is read as soon as the signal returns: a direct connection.
    QObject::connect(
        engine, &IHtmlEngine::beforeNavigate, host,
        [this](const QUrl& url, bool* cancel) { OnEngineBeforeNavigate(url, cancel); }, Qt::DirectConnection);
    QObject::connect(engine, &IHtmlEngine::uiUpdate, host, [this] { OnEngineUIUpdate(); });
    engine->acceleratorHook = [this](QKeyEvent* event) { return OnEngineAccelerator(event); };
    engine->navigate(QStringLiteral("about:blank"));
    return host;
}

void CHtmlEditView::OnDestroy() {
    // The engine goes before the widget that holds its window.
    if (m_engine) {
        m_engine->acceleratorHook = nullptr;
        m_engine->disconnect();
    }
    m_engine.reset();
    CWidgetView::OnDestroy();
}

void CHtmlEditView::Navigate(const QString& urlOrPath) {
    if (m_engine)
        m_engine->navigate(urlOrPath);
}

void CHtmlEditView::FocusEngineWindow() {
    if (m_engine && m_engine->hasDocument())
        m_engine->focus();
}

void CHtmlEditView::OnEngineDocumentComplete(const QString&) {}
void CHtmlEditView::OnEngineBeforeNavigate(const QUrl&, bool*) {}
void CHtmlEditView::OnEngineUIUpdate() {}
bool CHtmlEditView::OnEngineAccelerator(QKeyEvent*) { return false; }

void CHtmlEditView::OnFilePrintDirect() {
    if (m_engine && m_engine->hasDocument())
        m_engine->print();
}

void CHtmlEditView::OnFilePrint() { OnFilePrintDirect(); }

void CHtmlEditView::OnActivateView() { FocusEngineWindow(); }

} // namespace lw
