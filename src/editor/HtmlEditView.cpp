#include "editor/HtmlEditView.h"

#include "editor/EngineFactory.h"
#include "editor/SourceLossText.h"
#include "framework/core/CmdUI.h"
#include "framework/core/FrameworkIds.h"

#include <QLabel>
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
    layout->setSpacing(0);
    // A note over the page that stays until the user closes it or another page loads: it
    // neither blocks opening nor takes the focus.
    m_pageNote = new QLabel(host);
    m_pageNote->setWordWrap(true);
    m_pageNote->setMargin(6);
    m_pageNote->setAutoFillBackground(true);
    m_pageNote->setBackgroundRole(QPalette::ToolTipBase);
    m_pageNote->setForegroundRole(QPalette::ToolTipText);
    m_pageNote->setFocusPolicy(Qt::NoFocus);
    m_pageNote->hide();
    QObject::connect(m_pageNote, &QLabel::linkActivated, m_pageNote, &QWidget::hide);
    layout->addWidget(m_pageNote);
    layout->addWidget(m_engine->widget());
    host->setFocusProxy(m_engine->focusWindow());

    IHtmlEngine* engine = m_engine.get();
    QObject::connect(engine, &IHtmlEngine::documentComplete, host, [this](const QString& url) {
        // A note belongs to the page it was shown for; a large page says so once it is editable.
        if (m_pageNote && m_engine && !m_engine->designMode())
            m_pageNote->hide();
        else if (m_engine && m_engine->isLargePage())
            OnEngineSourceRead();
        OnEngineDocumentComplete(url);
    });
    QObject::connect(engine, &IHtmlEngine::sourceRead, host, [this] { OnEngineSourceRead(); });
    // The cancel flag is read as soon as the signal returns: a direct connection.
    QObject::connect(
        engine, &IHtmlEngine::beforeNavigate, host,
        [this](const QUrl& url, bool* cancel) { OnEngineBeforeNavigate(url, cancel); }, Qt::DirectConnection);
    QObject::connect(engine, &IHtmlEngine::uiUpdate, host, [this] { OnEngineUIUpdate(); });
    QObject::connect(engine, &IHtmlEngine::pageFailed, host, [this](const QString& r) { OnEngineFailed(r); });
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

BOOL CHtmlEditView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (pHandlerInfo) {
        // Only asked whether a handler exists: a mapped command always has one here.
        UINT hasHandler = 0;
        UINT kind = 0;
        if (nCode >= CN_COMMAND && LookupEditingCommand(nID, hasHandler, kind) != 0xFFFFFFFFu) {
            pHandlerInfo->pTarget = this;
            return TRUE;
        }
        return CWidgetView::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    return RouteEditingCommand(nID, nCode, nCode == CN_UPDATE_COMMAND_UI ? static_cast<CCmdUI*>(pExtra) : nullptr);
}

BOOL CHtmlEditView::RouteEditingCommand(UINT nID, int nCode, CCmdUI* pCmdUI) {
    auto routeOn = [&] { return CWidgetView::OnCmdMsg(nID, nCode, pCmdUI, nullptr); };
    if (nCode < CN_UPDATE_COMMAND_UI)
        return routeOn();
    UINT hasHandler = 0;
    UINT kind = 0;
    const UINT engineCommand = LookupEditingCommand(nID, hasHandler, kind);
    if (engineCommand == 0xFFFFFFFFu)
        return routeOn();
    const std::uint32_t status = QueryEngineStatus(engineCommand);
    const bool active = (status & (OLECMDF_LATCHED | OLECMDF_ENABLED)) != 0;
    const int mark = (status & OLECMDF_LATCHED) ? 1 : 0;
    if (nCode == CN_UPDATE_COMMAND_UI) {
        if (!pCmdUI)
            return FALSE;
        pCmdUI->Enable(active);
        if (kind & 1)
            pCmdUI->SetCheck(active ? mark : 0);
        else if (kind & 2)
            pCmdUI->SetRadio(active ? mark : 0);
        return TRUE;
    }
    // A command neither enabled nor latched is taken without effect.
    if (!active)
        return TRUE;
    if (hasHandler)
        return RunEditingCommandHandler(nID);
    return ExecEngineCommandInGroup(&CGID_MSHTML, engineCommand, OLECMDEXECOPT_DODEFAULT, nullptr, nullptr) == S_OK;
}

UINT CHtmlEditView::LookupEditingCommand(UINT, UINT&, UINT&) const { return 0xFFFFFFFFu; }
BOOL CHtmlEditView::RunEditingCommandHandler(UINT) { return FALSE; }

void CHtmlEditView::Navigate(const QString& urlOrPath) {
    if (m_engine)
        m_engine->navigate(urlOrPath);
}

HRESULT CHtmlEditView::WritePage(QIODevice& out) {
    return m_engine ? m_engine->save(out) : E_UNEXPECTED;
}

bool CHtmlEditView::IsPageModified() const {
    return !m_engine || m_engine->isDirty() != S_FALSE;
}

void CHtmlEditView::FocusEngineWindow() {
    if (m_engine && m_engine->hasDocument())
        m_engine->focus();
}

void CHtmlEditView::OnEngineDocumentComplete(const QString&) {}
void CHtmlEditView::OnEngineBeforeNavigate(const QUrl&, bool*) {}
void CHtmlEditView::OnEngineUIUpdate() {}
void CHtmlEditView::OnEngineFailed(const QString&) {}

void CHtmlEditView::OnEngineSourceRead() {
    if (!m_pageNote || !m_engine)
        return;
    const QString text = PageNoteText(m_engine->sourceLoss(), m_engine->isLargePage());
    m_pageNote->setText(text.toHtmlEscaped() + QStringLiteral(" <a href=\"close\">Close</a>"));
    m_pageNote->setVisible(!text.isEmpty());
}

QString CHtmlEditView::GetPageNote() const {
    if (!m_pageNote || !m_engine || m_pageNote->isHidden())
        return {};
    return PageNoteText(m_engine->sourceLoss(), m_engine->isLargePage());
}

bool CHtmlEditView::OnEngineAccelerator(QKeyEvent*) { return false; }

void CHtmlEditView::OnFilePrintDirect() {
    if (m_engine && m_engine->hasDocument())
        m_engine->print();
}

void CHtmlEditView::OnFilePrint() { OnFilePrintDirect(); }

void CHtmlEditView::OnActivateView() {
    // A page still loading has no input widget yet: the view holds the focus until it is editable.
    if (m_engine && m_engine->hasDocument())
        m_engine->focus();
    else
        CWidgetView::OnActivateView();
}

} // namespace lw
