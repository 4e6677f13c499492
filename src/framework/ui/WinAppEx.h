#pragma once
// The application object on Qt Widgets: owns the event loop, installs the real
// dialogs behind the framework's prompts, translates keys through the accelerator
// table, drives idle updates and answers the session manager.

#include "framework/core/WinApp.h"

#include <QPointer>
#include <memory>

class QApplication;
class QSessionManager;

namespace lw {

class CKeyboardManager;
class CUserToolsManager;

class CWinAppEx : public CWinApp {
public:
    CWinAppEx();
    ~CWinAppEx() override;

    // Start-up; FALSE ends the program before the event loop (the exit step still runs).
    virtual BOOL InitInstance();
    // The exit step; its result is the process exit code.
    virtual int ExitInstance();

    // Runs the whole life of the process on an existing QApplication.
    int Run();

    CKeyboardManager* GetKeyboardManager() const { return m_pKeyboardManager.get(); }
    void InitKeyboardManager();

    // User tools: the UserTools menu's placeholder command and the tools' command range.
    BOOL EnableUserTools(UINT placeholderCmd, UINT firstCmd, UINT lastCmd);
    CUserToolsManager* GetUserToolsManager() const { return m_pUserToolsManager.get(); }
    // Tear-off menus: their settings entry and the command range reserved for them; a
    // palette's tear-off bar ID inside the range is refused.
    BOOL EnableTearOffMenus(const QString& regEntry, UINT firstCmd, UINT lastCmd);
    QString GetTearOffRegEntry() const { return m_strTearOffRegEntry; }

    // Asked when the session ends: every modified document is offered for saving;
    // FALSE (Cancel, or a failed save) refuses the logout.
    virtual BOOL OnQueryEndSession();
    // Ending for a restart by the session manager: documents are auto-saved and their
    // copies kept for the restart, and closing asks nothing.
    void PrepareRestartShutdown();
    bool IsRestartShutdown() const { return m_bRestartShutdown; }
    BOOL SaveAllModified() override;

    int GetExitCode() const { return m_nExitCode; }
    void SetExitCode(int code) { m_nExitCode = code; }

protected:
    // Called once each time the event loop is about to wait; the default updates the
    // main frame's bars.
    virtual void OnIdle();

private:
    void installIdleHook();
    void onCommitData(QSessionManager& manager);
    void onSaveState(QSessionManager& manager);

    std::unique_ptr<CKeyboardManager> m_pKeyboardManager;
    std::unique_ptr<CUserToolsManager> m_pUserToolsManager;
    QString m_strTearOffRegEntry;
    bool m_bIdlePending = false;
    int m_nExitCode = 0;
    bool m_bRestartShutdown = false;
};

// Installs Qt message boxes and file dialogs behind the framework's prompts.
void AfxInstallWidgetPrompts();

} // namespace lw
