#pragma once
// The application object: start-up in its fixed order, the application-level commands
// and the exit step.

#include "framework/core/DataRecoveryHandler.h"
#include "framework/ui/WinAppEx.h"

#include <memory>
#include <vector>

namespace lw {

class CInstanceChannel;

class CLoomwriteApp : public CWinAppEx {
    DECLARE_MESSAGE_MAP()
public:
    CLoomwriteApp();
    ~CLoomwriteApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo) override;

    // A start while an editor runs on the same display hands its file to that editor and
    // ends (true); otherwise this editor becomes the one later starts reach.
    bool HandOverToRunningEditor(const CCommandLineInfo& info);
    // What a later start asked for: its files opened (or a new document), the window raised.
    void OnInstanceRequest(const QStringList& files);

    // Turns auto-save on and finds the sessions that ended without cleaning up.
    void StartDataRecovery(const QString& restartIdentifier);
    // Reopens the documents of those sessions, asking whether to take their auto-saved
    // copies where those are newer; returns how many documents opened.
    int RecoverDocuments();

    // "p"/"pt": prints the file once its page has loaded, on the default or the named printer.
    void PrintFromCommandLine(const CCommandLineInfo& info);

    void OnAppAbout();
    void OnFilePrintSetup();

    // The arguments start-up parses (without the program name); the command line by default.
    QStringList m_arguments;
    bool m_bArgumentsSet = false;

    int m_hiColorIcons = 1;
    int m_applicationLook = 0;
    quint32 m_dwRestartManagerSupportFlags = 0x3F;
    // How often modified documents are copied for recovery.
    int m_nAutosaveInterval = 300000;
    std::vector<CRecoverySession> m_recoverySessions;
    std::unique_ptr<CInstanceChannel> m_instanceChannel;

    // The desktop's name for the program.
    static constexpr const char* kAppUserModelId = "Tarn.Loomwrite.2";
};

// Whether the web engine's runtime can start on this machine.
bool IsEngineRuntimeAvailable();

} // namespace lw
