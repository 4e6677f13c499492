#pragma once
// The application object: start-up in its fixed order, the application-level commands
// and the exit step.

#include "framework/ui/WinAppEx.h"

namespace lw {

class CLoomwriteApp : public CWinAppEx {
    DECLARE_MESSAGE_MAP()
public:
    CLoomwriteApp();
    ~CLoomwriteApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo) override;

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

    // The desktop's name for the program.
    static constexpr const char* kAppUserModelId = "Tarn.Loomwrite.2";
};

// Whether the web engine's runtime can start on this machine.
bool IsEngineRuntimeAvailable();

} // namespace lw
