#include "framework/core/CommandLineInfo.h"

namespace lw {

namespace {

enum class Switch {
    None,
    PrintTo,
    Print,
    Dde,
    DdeNoShow,
    Register,
    RegisterPerUser,
    Unregister,
    UnregisterPerUser,
    Embedding,
    Automation,
    Restart
};

struct SwitchName {
    const char* name;
    Qt::CaseSensitivity cs;
    Switch kind;
};

// The print and DDE switches are matched exactly: "P" is an unknown switch, not print.
constexpr SwitchName kSwitches[] = {
    {"pt", Qt::CaseSensitive, Switch::PrintTo},
    {"p", Qt::CaseSensitive, Switch::Print},
    {"dde", Qt::CaseSensitive, Switch::Dde},
    {"ddenoshow", Qt::CaseSensitive, Switch::DdeNoShow},
    {"Register", Qt::CaseInsensitive, Switch::Register},
    {"Regserver", Qt::CaseInsensitive, Switch::Register},
    {"RegisterPerUser", Qt::CaseInsensitive, Switch::RegisterPerUser},
    {"RegserverPerUser", Qt::CaseInsensitive, Switch::RegisterPerUser},
    {"Unregister", Qt::CaseInsensitive, Switch::Unregister},
    {"Unregserver", Qt::CaseInsensitive, Switch::Unregister},
    {"UnregisterPerUser", Qt::CaseInsensitive, Switch::UnregisterPerUser},
    {"UnregserverPerUser", Qt::CaseInsensitive, Switch::UnregisterPerUser},
    {"Embedding", Qt::CaseInsensitive, Switch::Embedding},
    {"Automation", Qt::CaseInsensitive, Switch::Automation},
};

Switch classifySwitch(const QString& name) {
    for (const SwitchName& s : kSwitches) {
        if (name.compare(QLatin1String(s.name), s.cs) == 0)
            return s.kind;
    }
    // A restart switch of the wrong length is still a switch (and is then ignored); a slash
    // further on means a path.
    if (name.startsWith(QLatin1String("RestartByRestartManager"), Qt::CaseInsensitive) &&
        !name.contains(u'/'))
        return Switch::Restart;
    return Switch::None;
}

// The identifier names the restarted session and goes back onto the next restart command
// line, so only the shape we generate ourselves (8-4-4-4-12 hex digits) is trusted.
bool isRestartIdentifier(QStringView id) {
    if (id.size() != 36)
        return false;
    for (qsizetype i = 0; i < id.size(); ++i) {
        const QChar c = id[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != u'-')
                return false;
        } else if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'))) {
            return false;
        }
    }
    return true;
}

} // namespace

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const QString& param, bool isFlag, bool isLast) {
    if (isFlag)
        ParseParamFlag(param);
    else
        ParseParamNotFlag(param);
    ParseLast(isLast);
}

void CCommandLineInfo::SetShellCommand(ShellCommand command) {
    // The printer belongs to "pt" alone and always comes from the parameters after the latest
    // one, so any shell-command switch starts it afresh.
    m_nShellCommand = command;
    m_strPrinterName.clear();
    m_strDriverName.clear();
    m_strPortName.clear();
    m_printToParams = 0;
}

void CCommandLineInfo::ParseParamFlag(const QString& param) {
    switch (classifySwitch(param)) {
    case Switch::PrintTo:
        SetShellCommand(FilePrintTo);
        break;
    case Switch::Print:
        SetShellCommand(FilePrint);
        break;
    case Switch::Dde:
        SetShellCommand(FileDDE);
        break;
    case Switch::DdeNoShow:
        SetShellCommand(FileDDENoShow);
        break;
    case Switch::Register:
        SetShellCommand(AppRegister);
        break;
    case Switch::RegisterPerUser:
        SetShellCommand(AppRegister);
        m_bRegisterPerUser = true;
        break;
    case Switch::Unregister:
        SetShellCommand(AppUnregister);
        break;
    case Switch::UnregisterPerUser:
        SetShellCommand(AppUnregister);
        m_bRegisterPerUser = true;
        break;
    case Switch::Embedding:
        m_bRunEmbedded = true;
        m_bShowSplash = false;
        break;
    case Switch::Automation:
        m_bRunAutomated = true;
        m_bShowSplash = false;
        break;
    case Switch::Restart:
        if (param.size() == kRestartSwitchLength &&
            param.startsWith(QLatin1String(kRestartSwitchPrefix), Qt::CaseInsensitive)) {
            const QStringView id = QStringView(param).mid(qsizetype(sizeof(kRestartSwitchPrefix) - 1));
            if (isRestartIdentifier(id)) {
                SetShellCommand(RestartByRestartManager);
                m_strRestartIdentifier = id.toString();
            }
        }
        break;
    case Switch::None:
        // Unknown switches are ignored: desktop launchers may pass options meant for others.
        break;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const QString& param) {
    // An empty argument names nothing, so it takes no slot.
    if (param.isEmpty())
        return;
    if (m_strFileName.isEmpty()) {
        m_strFileName = param;
        return;
    }
    if (m_nShellCommand != FilePrintTo)
        return;
    switch (m_printToParams++) {
    case 0:
        m_strPrinterName = param;
        break;
    case 1:
        m_strDriverName = param;
        break;
    case 2:
        m_strPortName = param;
        break;
    default:
        break;
    }
}

void CCommandLineInfo::ParseLast(bool isLast) {
    if (!isLast)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.isEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

bool IsSwitchArgument(const QString& arg) {
    if (arg.startsWith(u'-'))
        return true;
    // Absolute paths start with a slash too, so a slash only introduces a switch we know.
    return arg.startsWith(u'/') && classifySwitch(arg.mid(1)) != Switch::None;
}

void ParseCommandLine(const QStringList& args, CCommandLineInfo& info) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool isFlag = IsSwitchArgument(arg);
        info.ParseParam(isFlag ? arg.mid(1) : arg, isFlag, i + 1 == args.size());
    }
}

} // namespace lw
