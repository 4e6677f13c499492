#pragma once
// What the command line asks start-up to do: the shell command, the file, the printer for
// "pt", and the flags recorded for the registration and automation switches.

#include <QString>
#include <QStringList>

namespace lw {

class CCommandLineInfo {
public:
    enum ShellCommand {
        FileNew,
        FileOpen,
        FilePrint,
        FilePrintTo,
        FileDDE,
        FileDDENoShow,
        AppRegister,
        AppUnregister,
        RestartByRestartManager,
        FileNothing
    };

    // Several shell-command switches: the last one wins. Several file names: the first one wins
    // and later parameters (other than the printer of "pt") are ignored.
    //
    // "p" or "pt" without a file name keeps the print command with an empty m_strFileName:
    // there is nothing to print, and a print run never shows a window, so start-up ends
    // without opening anything (as it does when the file cannot be opened).
    ShellCommand m_nShellCommand = FileNew;
    bool m_bShowSplash = true;
    bool m_bRunEmbedded = false;
    bool m_bRunAutomated = false;
    bool m_bRegisterPerUser = false;
    QString m_strFileName;
    // Filled only with FilePrintTo, from the parameters that follow the latest "pt", in this
    // order; a field that was not given stays empty.
    QString m_strPrinterName;
    QString m_strDriverName;
    QString m_strPortName;
    // 36 characters shaped like a GUID, set with RestartByRestartManager.
    QString m_strRestartIdentifier;

    virtual ~CCommandLineInfo();

    // param has its "/" or "-" removed when isFlag; isLast marks the final argument.
    virtual void ParseParam(const QString& param, bool isFlag, bool isLast);

protected:
    void ParseParamFlag(const QString& param);
    void ParseParamNotFlag(const QString& param);
    void ParseLast(bool isLast);
    void SetShellCommand(ShellCommand command);

private:
    // How many printer parameters "pt" has taken so far (printer, driver, port).
    int m_printToParams = 0;
};

// The switch that a restart command line carries, without its prefix.
inline constexpr char kRestartSwitchPrefix[] = "RestartByRestartManager:";
inline constexpr int kRestartSwitchLength = 60;

// Whether an argument is a switch: anything that starts with "-", and a "/" followed by a
// switch name we know. Any other "/..." is an absolute path, and so a parameter.
bool IsSwitchArgument(const QString& arg);

// Parses arguments (without the program's own name) the way start-up does, handing each one to
// info.ParseParam with its "/" or "-" removed when it is a switch.
void ParseCommandLine(const QStringList& args, CCommandLineInfo& info);

} // namespace lw
