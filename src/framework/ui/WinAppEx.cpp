#include "framework/ui/WinAppEx.h"

#include "framework/core/DataRecoveryHandler.h"
#include "framework/core/Document.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/Resources.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/KeyboardManager.h"
#include "framework/ui/ColorMenuButton.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/UserTool.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSessionManager>
#include <QTimer>

namespace lw {

CWinAppEx::CWinAppEx() = default;
CWinAppEx::~CWinAppEx() = default;

BOOL CWinAppEx::InitInstance() { return TRUE; }

int CWinAppEx::ExitInstance() {
    SaveStdProfileSettings();
    return m_nExitCode;
}

int CWinAppEx::Run() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (!app)
        return 1;
    // The main frame decides when the program ends, not the last window closing.
    app->setQuitOnLastWindowClosed(false);
    AfxInstallWidgetPrompts();
    QObject::connect(app, &QGuiApplication::commitDataRequest, app,
                     [this](QSessionManager& manager) { onCommitData(manager); });
    QObject::connect(app, &QGuiApplication::saveStateRequest, app,
                     [this](QSessionManager& manager) { onSaveState(manager); });
    // Coming back from another program is when its changes to an open file show.
    QObject::connect(app, &QGuiApplication::applicationStateChanged, app, [this](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            return;
        QTimer::singleShot(0, QCoreApplication::instance(), [this] {
            auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd);
            if (CDocument* doc = frame ? frame->GetActiveDocument() : nullptr)
                doc->CheckFileOnDisk();
        });
    });
    if (!InitInstance()) {
        // Windows and documents go while the application object still exists.
        CloseAllDocuments(FALSE);
        if (m_pMainWnd)
            m_pMainWnd->DestroyWindow();
        m_pMainWnd = nullptr;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return ExitInstance();
    }
    installIdleHook();
    const int code = QApplication::exec();
    if (m_nExitCode == 0)
        m_nExitCode = code;
    CloseAllDocuments(FALSE);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return ExitInstance();
}

void CWinAppEx::InitKeyboardManager() {
    if (!m_pKeyboardManager)
        m_pKeyboardManager = std::make_unique<CKeyboardManager>();
}

BOOL CWinAppEx::EnableUserTools(UINT placeholderCmd, UINT firstCmd, UINT lastCmd) {
    if (firstCmd == 0 || lastCmd < firstCmd)
        return FALSE;
    m_pUserToolsManager = std::make_unique<CUserToolsManager>(placeholderCmd, firstCmd, lastCmd);
    return TRUE;
}

BOOL CWinAppEx::EnableTearOffMenus(const QString& regEntry, UINT firstCmd, UINT lastCmd) {
    if (firstCmd == 0 || lastCmd < firstCmd)
        return FALSE;
    m_strTearOffRegEntry = regEntry;
    CMFCColorMenuButton::s_nTearOffMenuFirst = firstCmd;
    CMFCColorMenuButton::s_nTearOffMenuLast = lastCmd;
    return TRUE;
}

void CWinAppEx::installIdleHook() {
    // Bars update once whenever the event loop is about to wait: coalesced, no timer.
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher)
        return;
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, dispatcher, [this] {
        if (m_bIdlePending)
            return;
        m_bIdlePending = true;
        OnIdle();
        m_bIdlePending = false;
    });
}

void CWinAppEx::OnIdle() {
    if (auto* frame = dynamic_cast<CMDIFrameWndEx*>(m_pMainWnd))
        frame->OnIdleUpdateCmdUI();
}

BOOL CWinAppEx::OnQueryEndSession() { return SaveAllModified(); }

BOOL CWinAppEx::SaveAllModified() {
    // Ending for a restart, the documents' work is in their auto-saved copies: no question.
    if (m_bRestartShutdown)
        return TRUE;
    return CWinApp::SaveAllModified();
}

void CWinAppEx::PrepareRestartShutdown() {
    if (CDataRecoveryHandler* handler = GetDataRecoveryHandler()) {
        handler->AutoSaveAll();
        handler->SetRestartPending();
    }
    m_bRestartShutdown = true;
}

void CWinAppEx::onSaveState(QSessionManager& manager) {
    // The session brings the program back with this session's identifier, which finds its documents.
    if (CDataRecoveryHandler* handler = GetDataRecoveryHandler()) {
        manager.setRestartCommand(handler->GetRestartCommandLine(QCoreApplication::arguments()));
        manager.setRestartHint(QSessionManager::RestartIfRunning);
    }
}

void CWinAppEx::onCommitData(QSessionManager& manager) {
    // A session manager that may not ask the user is restarting the program: its work is
    // kept in auto-saved copies for the restart instead of being asked about.
    if (!manager.allowsInteraction()) {
        PrepareRestartShutdown();
        return;
    }
    const BOOL ok = OnQueryEndSession();
    manager.release();
    if (!ok)
        manager.cancel();
}

void AfxInstallWidgetPrompts() {
    AfxSetChoiceHandler([](const ChoiceRequest& request) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(request.caption);
        box.setIcon(QMessageBox::Question);
        box.setText(request.text);
        box.setInformativeText(request.details);
        std::vector<QAbstractButton*> buttons;
        for (const QString& text : request.buttons)
            buttons.push_back(box.addButton(text, QMessageBox::AcceptRole));
        if (!buttons.empty())
            box.setDefaultButton(static_cast<QPushButton*>(buttons.front()));
        box.exec();
        const auto it = std::find(buttons.begin(), buttons.end(), box.clickedButton());
        return it == buttons.end() ? -1 : static_cast<int>(it - buttons.begin());
    });
    AfxSetMessageBoxHandler([](const QString& text, UINT type) {
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(AfxLoadString(AFX_IDS_APP_TITLE));
        box.setText(text);
        switch (type & 0xF0) {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        switch (type & 0xF) {
        case MB_YESNOCANCEL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            box.setEscapeButton(QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
        }
    });
    AfxSetFileDialogHandler([](const FileDialogRequest& req) -> std::optional<QString> {
        QFileDialog dialog(QApplication::activeWindow(), req.title);
        // The filters show by their names alone, as the string table words them.
        dialog.setOption(QFileDialog::HideNameFilterDetails);
        dialog.setNameFilters(req.filters);
        dialog.setDefaultSuffix(req.defaultExtension);
        if (req.open) {
            dialog.setAcceptMode(QFileDialog::AcceptOpen);
            dialog.setFileMode(QFileDialog::ExistingFile);
        } else {
            dialog.setAcceptMode(QFileDialog::AcceptSave);
            dialog.setFileMode(QFileDialog::AnyFile);
            if (!req.initialPath.isEmpty())
                dialog.selectFile(req.initialPath);
        }
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return std::nullopt;
        return dialog.selectedFiles().front();
    });
}

} // namespace lw
