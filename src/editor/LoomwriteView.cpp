#include "editor/LoomwriteView.h"

#include "editor/EditingCommandMap.h"
#include "editor/FormatControls.h"
#include "editor/LoomwriteDoc.h"
#include "framework/core/CmdUI.h"
#include "framework/core/DataRecoveryHandler.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/WinApp.h"
#include "framework/ui/MenuBar.h"
#include "resources/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QMenu>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <optional>

namespace lw {

Q_LOGGING_CATEGORY(lcStartup, "loomwrite.startup", QtWarningMsg)

namespace {
// Block format entries: 0x8D00 upward. The last ID of the range is never filled, so a
// fill removes all it made; lists longer than this are cut.
constexpr int kMaxBlockFormats = 255;
// How often a window whose page failed looks again whether the loop that kept it open is over.
constexpr int kCloseRetryMs = 50;

QColor fromColorRef(std::uint32_t c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }
std::uint32_t toColorRef(const QColor& c) {
    return std::uint32_t(c.red()) | (std::uint32_t(c.green()) << 8) | (std::uint32_t(c.blue()) << 16);
}
} // namespace

BEGIN_MESSAGE_MAP(CLoomwriteView, CHtmlEditView)
    ON_COMMAND_RANGE(ID_BLOCK_FORMAT_FIRST, ID_BLOCK_FORMAT_LAST, &CLoomwriteView::OnBlockFormat)
    ON_UPDATE_COMMAND_UI(ID_BLOCK_FORMAT, &CLoomwriteView::OnUpdateBlockFormat)
    ON_COMMAND(ID_OPTIONS_AUTO_URL_DETECT, &CLoomwriteView::OnAutoUrlDetect)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_AUTO_URL_DETECT, &CLoomwriteView::OnUpdateAutoUrlDetect)
    ON_COMMAND(ID_OPTIONS_SILENT, &CLoomwriteView::OnSilent)
    ON_UPDATE_COMMAND_UI(ID_OPTIONS_SILENT, &CLoomwriteView::OnUpdateSilent)
END_MESSAGE_MAP()

CLoomwriteDoc* CLoomwriteView::GetDocument() const { return dynamic_cast<CLoomwriteDoc*>(CView::GetDocument()); }

void CLoomwriteView::OnEngineDocumentComplete(const QString&) {
    if (IHtmlEngine* engine = GetEngine())
        engine->setDesignMode(true);
    // The second completion follows the switch into design mode: the page is editable.
    if (m_documentCompleteCount == 1) {
        ApplyEditorOptions();
        if (m_designPending) {
            const bool hadKeyboard = m_sourceEditor && m_sourceEditor->hasFocus();
            showDesignWidgets();
            if (hadKeyboard)
                FocusEngineWindow();
        }
        // The view took the focus while its page loaded; typing goes into the page from now on.
        if (QWidget* widget = GetWidget()) {
            QWidget* focused = widget->window()->focusWidget();
            if (focused && (focused == widget || widget->isAncestorOf(focused)))
                FocusEngineWindow();
        }
        static bool first = true;
        if (first)
            qCInfo(lcStartup, "first page editable");
        first = false;
    }
    ++m_documentCompleteCount;
}

void CLoomwriteView::OnEngineBeforeNavigate(const QUrl&, bool* cancel) {
    // Once a page is loaded and editable nothing may navigate it away.
    if (cancel)
        *cancel = m_documentCompleteCount >= 2;
}

void CLoomwriteView::Reload(const QString& path) {
    m_documentCompleteCount = 0;
    Navigate(path);
}

bool CLoomwriteView::OnEngineAccelerator(QKeyEvent* event) {
    // Key presses (not typed characters) of a letter or digit with Control held are
    // refused to the engine, so its own shortcuts never run; the accelerator table
    // has already had its chance.
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const int key = event->key();
    const bool letterOrDigit = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    return letterOrDigit && (event->modifiers() & Qt::ControlModifier);
}

void CLoomwriteView::OnEngineUIUpdate() {
    IFormatControls* controls = GetFormatControls();
    if (!controls)
        return;
    QString name;
    if (GetEngineString(IDM_FONTNAME, name) >= 0) {
        controls->selectFontByName(name);
        controls->enableFontName(true);
    } else {
        controls->clearFontName();
        controls->enableFontName(false);
    }
    std::int32_t size = 0;
    if (GetEngineInt(IDM_FONTSIZE, size) >= 0) {
        const int index = static_cast<std::int16_t>(size & 0xFFFF) - 1;
        if (index < 0)
            controls->selectSizeIndex(-1);
        else if (index < controls->sizeCount())
            controls->selectSizeIndex(index);
        controls->enableSize(true);
    } else {
        controls->selectSizeIndex(-1);
        controls->enableSize(false);
    }
    controls->invalidate();
}

void CLoomwriteView::OnEngineFailed(const QString& reason) {
    CDocument* doc = CView::GetDocument();
    if (!doc)
        return;
    const QString name = doc->GetPathName().isEmpty() ? doc->GetTitle() : doc->GetPathName();
    // Changes already auto-saved come back at once, from the copy, in a fresh page.
    CWinApp* app = AfxGetApp();
    CDataRecoveryHandler* handler = app ? app->GetDataRecoveryHandler() : nullptr;
    auto* tmpl = dynamic_cast<CMultiDocTemplate*>(doc->GetDocTemplate());
    const QString copy = handler && tmpl && doc->IsModified() ? handler->GetCopyPath(doc) : QString();
    std::optional<CRecoveredDocument> recovered;
    if (!copy.isEmpty()) {
        recovered = CRecoveredDocument{doc->GetPathName(), doc->GetTitle(), copy};
        recovered->copy = handler->TakeOverCopy(*recovered);
    }
    AfxMessageBox(recovered ? QStringLiteral("The page \"%1\" cannot be shown any more: %2. The file on disk was "
                                             "not changed; the page opens again from its last auto-saved copy, "
                                             "without the changes made since.")
                                  .arg(name, reason)
                            : QStringLiteral("The page \"%1\" cannot be shown any more: %2. The file on disk was "
                                             "not changed; its window closes.")
                                  .arg(name, reason),
                  MB_OK | MB_ICONERROR);
    // Closed once the engine's signal has returned, from the main event loop: the engine goes
    // with the window, and a save or dialog waiting in a loop of its own still uses them.
    closeFromMainLoop(GetWidget(), [doc, handler, tmpl, recovered] {
        doc->OnCloseDocument();
        if (recovered)
            handler->OpenFromCopy(*tmpl, *recovered);
    });
}

void CLoomwriteView::closeFromMainLoop(QPointer<QWidget> widget, std::function<void()> close, int delayMs) {
    QTimer::singleShot(delayMs, widget, [widget, close] {
        // A loop of its own (a save's wait, a modal dialog) is still running: try again after it.
        if (QThread::currentThread()->loopLevel() > 1)
            closeFromMainLoop(widget, close, kCloseRetryMs);
        else
            close();
    });
}

UINT CLoomwriteView::LookupEditingCommand(UINT nID, UINT& hasHandler, UINT& kind) const {
    for (const EditingCommandEntry& e : EditingCommandMap) {
        if (e.engineCommand == 0)
            break;
        if (e.commandId == nID) {
            hasHandler = e.handler ? 1 : 0;
            kind = static_cast<UINT>(e.kind);
            return e.engineCommand;
        }
    }
    return 0xFFFFFFFFu;
}

BOOL CLoomwriteView::RunEditingCommandHandler(UINT nID) {
    for (const EditingCommandEntry& e : EditingCommandMap) {
        if (e.engineCommand == 0)
            break;
        if (e.commandId == nID) {
            if (e.handler)
                (this->*e.handler)(e.engineCommand);
            return TRUE;
        }
    }
    return FALSE;
}

void CLoomwriteView::focusPage() {
    if (QWidget* w = GetWidget())
        w->setFocus(Qt::OtherFocusReason);
    FocusEngineWindow();
}

namespace {
// The boxes act only when their drop-down list closes.
bool isCloseUp() { return HIWORD(AfxGetCurrentMessage().wParam) == 8; }
} // namespace

void CLoomwriteView::OnFontName(UINT) {
    if (!isCloseUp())
        return;
    IFormatControls* controls = GetFormatControls();
    const QString name = controls ? controls->selectedFontName() : QString();
    SetEngineString(IDM_FONTNAME, &name);
    focusPage();
}

void CLoomwriteView::OnFontSize(UINT) {
    if (!isCloseUp())
        return;
    IFormatControls* controls = GetFormatControls();
    const auto value = static_cast<std::int16_t>((controls ? controls->selectedSizeIndex() : -1) + 1);
    const std::uint32_t status = QueryEngineStatus(IDM_FONTSIZE);
    if ((status & (OLECMDF_SUPPORTED | OLECMDF_ENABLED)) == (OLECMDF_SUPPORTED | OLECMDF_ENABLED)) {
        const Variant in = Variant::fromI2(value);
        ExecEngineCommand(IDM_FONTSIZE, OLECMDEXECOPT_DODEFAULT, &in, nullptr);
    }
    focusPage();
}

void CLoomwriteView::OnForeColorButton(UINT) {
    if (IFormatControls* controls = GetFormatControls())
        SetEngineInt(IDM_FORECOLOR, static_cast<std::int32_t>(controls->buttonColor(ID_FORMAT_FORE_COLOR)));
}

void CLoomwriteView::OnBackColorButton(UINT) {
    if (IFormatControls* controls = GetFormatControls())
        SetEngineInt(IDM_BACKCOLOR, static_cast<std::int32_t>(controls->buttonColor(ID_FORMAT_BACK_COLOR)));
}

std::optional<std::uint32_t> CLoomwriteView::AskColor(std::uint32_t current) {
    const QColor chosen = QColorDialog::getColor(fromColorRef(current), QApplication::activeWindow());
    if (!chosen.isValid())
        return std::nullopt;
    return toColorRef(chosen);
}

void CLoomwriteView::OnChooseColor(UINT engineCommand) {
    std::int32_t current = 0;
    GetEngineInt(engineCommand, current);
    // The colour dialog runs its own event loop, in which a failed page closes its window and
    // this view with it.
    const QPointer<IHtmlEngine> engine = GetEngine();
    const std::optional<std::uint32_t> chosen = AskColor(static_cast<std::uint32_t>(current));
    if (chosen && engine)
        SetEngineInt(engineCommand, static_cast<std::int32_t>(*chosen));
}

void CLoomwriteView::OnStaticPosition(UINT) { SetEngineBool(IDM_ABSOLUTE_POSITION, false, 3); }
void CLoomwriteView::OnAbsolutePosition(UINT) { SetEngineBool(IDM_ABSOLUTE_POSITION, true, 3); }

QString CLoomwriteView::OptionSettingName(UINT engineCommand) {
    return QStringLiteral("OPT%1").arg(engineCommand);
}

bool CLoomwriteView::ApplyStoredOption(UINT engineCommand, bool defaultValue) {
    CWinApp* app = AfxGetApp();
    const bool on = app ? app->GetInt(OptionSettingName(engineCommand), defaultValue ? 1 : 0) != 0 : defaultValue;
    SetEngineBool(engineCommand, on, 0);
    return on;
}

void CLoomwriteView::ApplyEditorOptions() {
    ApplyStoredOption(2394, false);
    ApplyStoredOption(2399, false);
    ApplyStoredOption(2404, false);
    ApplyStoredOption(2398, true);
    ApplyStoredOption(2393, false);
    ApplyStoredOption(2405, false);
    m_autoUrlDetect = ApplyStoredOption(IDM_AUTOURLDETECT_MODE, true);
    CWinApp* app = AfxGetApp();
    if (IHtmlEngine* engine = GetEngine())
        engine->setSilent(app && app->GetInt(QStringLiteral("Silent"), 0) != 0);
}

void CLoomwriteView::OnToggleEditOption(UINT engineCommand) {
    bool newValue = true;
    if (QueryEngineStatus(engineCommand) & OLECMDF_SUPPORTED) {
        Variant out;
        if (ExecEngineCommand(engineCommand, OLECMDEXECOPT_DODEFAULT, nullptr, &out) == S_OK &&
            out.type() == VT_BOOL)
            newValue = out.boolValue() != VARIANT_TRUE;
    }
    SetEngineBool(engineCommand, newValue, 3);
    // Stored even when the engine refused it, so the next view starts with it.
    if (CWinApp* app = AfxGetApp())
        app->WriteInt(OptionSettingName(engineCommand), newValue ? 1 : 0);
}

void CLoomwriteView::OnUpdateBlockFormat(CCmdUI* pCmdUI) {
    auto* menu = static_cast<QMenu*>(pCmdUI->m_pSubMenu);
    if (!menu)
        return;
    m_blockFormats.clear();
    if (GetBlockFormatList(m_blockFormats) < 0)
        return;
    QString current;
    if (GetEngineString(IDM_BLOCKFMT, current) < 0)
        return;
    for (QAction* a : menu->actions()) {
        const UINT id = AfxActionCommandId(a);
        if (id >= ID_BLOCK_FORMAT_FIRST && id < ID_BLOCK_FORMAT_LAST) {
            menu->removeAction(a);
            a->deleteLater();
        }
    }
    const int count = std::min<int>(static_cast<int>(m_blockFormats.size()), kMaxBlockFormats);
    for (int i = 0; i < count; ++i) {
        QAction* action = menu->addAction(m_blockFormats[i]);
        const UINT id = ID_BLOCK_FORMAT_FIRST + static_cast<UINT>(i);
        AfxSetActionCommandId(action, id);
        action->setCheckable(true);
        action->setChecked(m_blockFormats[i] == current);
        QObject::connect(action, &QAction::triggered, menu, [id] {
            if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd)
                app->m_pMainWnd->SendCommand(id);
        });
    }
    // Names beyond the menu's capacity are not offered.
    m_blockFormats = m_blockFormats.mid(0, count);
}

void CLoomwriteView::OnBlockFormat(UINT nID) {
    const qsizetype i = static_cast<qsizetype>(nID) - ID_BLOCK_FORMAT_FIRST;
    if (i < 0 || i >= m_blockFormats.size()) {
        AfxMessageBox(QStringLiteral("Invalid argument."), MB_OK | MB_ICONERROR);
        return;
    }
    const QString name = m_blockFormats[i];
    SetEngineString(IDM_BLOCKFMT, &name);
}

void CLoomwriteView::OnAutoUrlDetect() {
    if (SetEngineBool(IDM_AUTOURLDETECT_MODE, !m_autoUrlDetect, 0) < 0)
        return;
    m_autoUrlDetect = !m_autoUrlDetect;
    if (CWinApp* app = AfxGetApp())
        app->WriteInt(OptionSettingName(IDM_AUTOURLDETECT_MODE), m_autoUrlDetect ? 1 : 0);
}

void CLoomwriteView::OnUpdateAutoUrlDetect(CCmdUI* pCmdUI) {
    pCmdUI->Enable((QueryEngineStatus(IDM_AUTOURLDETECT_MODE) & (OLECMDF_SUPPORTED | OLECMDF_ENABLED)) != 0);
    pCmdUI->SetCheck(m_autoUrlDetect ? 1 : 0);
}

void CLoomwriteView::OnSilent() {
    IHtmlEngine* engine = GetEngine();
    if (!engine)
        return;
    const bool wasSilent = engine->silent();
    engine->setSilent(!wasSilent);
    if (CWinApp* app = AfxGetApp())
        app->WriteInt(QStringLiteral("Silent"), wasSilent ? 0 : 1);
}

void CLoomwriteView::OnUpdateSilent(CCmdUI* pCmdUI) {
    IHtmlEngine* engine = GetEngine();
    pCmdUI->Enable(engine != nullptr);
    pCmdUI->SetCheck(engine && engine->silent() ? 1 : 0);
}

} // namespace lw
