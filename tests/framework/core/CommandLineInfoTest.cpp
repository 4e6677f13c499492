#include "framework/core/CommandLineInfo.h"

#include <gtest/gtest.h>

using namespace lw;
using Cmd = CCommandLineInfo::ShellCommand;

namespace {

const QString kId = QStringLiteral("0A1B2C3D-4E5F-6a7b-8C9D-0E1F2A3B4C5D");

struct Expected {
    Cmd command = CCommandLineInfo::FileNew;
    QString file;
    QString printer, driver, port;
    QString restartId;
    bool embedded = false;
    bool automated = false;
    bool perUser = false;
};

struct Case {
    const char* what;
    QStringList args;
    Expected expected;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.what;
}

class CommandLine : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLine, Parses) {
    const Case& c = GetParam();
    CCommandLineInfo info;
    ParseCommandLine(c.args, info);
    const Expected& e = c.expected;
    EXPECT_EQ(info.m_nShellCommand, e.command);
    EXPECT_EQ(info.m_strFileName, e.file);
    EXPECT_EQ(info.m_strPrinterName, e.printer);
    EXPECT_EQ(info.m_strDriverName, e.driver);
    EXPECT_EQ(info.m_strPortName, e.port);
    EXPECT_EQ(info.m_strRestartIdentifier, e.restartId);
    EXPECT_EQ(info.m_bRunEmbedded, e.embedded);
    EXPECT_EQ(info.m_bRunAutomated, e.automated);
    EXPECT_EQ(info.m_bRegisterPerUser, e.perUser);
    EXPECT_EQ(info.m_bShowSplash, !e.embedded && !e.automated);
}

const Case kCases[] = {
    {"no argument", {}, {}},
    {"one file", {"page.html"}, {CCommandLineInfo::FileOpen, "page.html"}},
    {"first file wins", {"a.html", "b.html"}, {CCommandLineInfo::FileOpen, "a.html"}},
    {"absolute path is a file, not a switch",
     {"/home/u/page.html"},
     {CCommandLineInfo::FileOpen, "/home/u/page.html"}},
    {"slash and an unknown name is a path", {"/P"}, {CCommandLineInfo::FileOpen, "/P"}},
    {"empty argument takes no slot", {"", "b.html"}, {CCommandLineInfo::FileOpen, "b.html"}},
    {"lone dash is an empty switch", {"-"}, {}},
    {"p with dash", {"-p", "f.html"}, {CCommandLineInfo::FilePrint, "f.html"}},
    {"p with slash after the file", {"f.html", "/p"}, {CCommandLineInfo::FilePrint, "f.html"}},
    {"P is an unknown switch", {"-P", "f.html"}, {CCommandLineInfo::FileOpen, "f.html"}},
    {"p without a file keeps printing nothing", {"-p"}, {CCommandLineInfo::FilePrint}},
    {"pt with its three parameters",
     {"/pt", "f.html", "Laser", "drv", "lp0"},
     {CCommandLineInfo::FilePrintTo, "f.html", "Laser", "drv", "lp0"}},
    {"pt after the file, extra parameter ignored",
     {"f.html", "-pt", "Laser", "drv", "lp0", "extra"},
     {CCommandLineInfo::FilePrintTo, "f.html", "Laser", "drv", "lp0"}},
    {"parameters before pt are not the printer",
     {"f.html", "g.html", "-pt", "Laser"},
     {CCommandLineInfo::FilePrintTo, "f.html", "Laser"}},
    {"pt without anything", {"-pt"}, {CCommandLineInfo::FilePrintTo}},
    {"PT is an unknown switch", {"-PT", "f.html", "Laser"}, {CCommandLineInfo::FileOpen, "f.html"}},
    {"printer comes from the latest pt",
     {"-pt", "f.html", "A", "B", "C", "-pt", "D"},
     {CCommandLineInfo::FilePrintTo, "f.html", "D"}},
    {"printer is dropped when another command follows pt",
     {"-pt", "f.html", "A", "B", "C", "-p"},
     {CCommandLineInfo::FilePrint, "f.html"}},
    {"last shell command wins", {"-dde", "-p", "f.html"}, {CCommandLineInfo::FilePrint, "f.html"}},
    {"dde with dash", {"-dde"}, {CCommandLineInfo::FileDDE}},
    {"dde with slash keeps the file", {"/dde", "f.html"}, {CCommandLineInfo::FileDDE, "f.html"}},
    {"DDE is an unknown switch", {"-DDE"}, {}},
    {"ddenoshow", {"/ddenoshow"}, {CCommandLineInfo::FileDDENoShow}},
    {"Register", {"/Register"}, {CCommandLineInfo::AppRegister}},
    {"regserver any case", {"-REGSERVER"}, {CCommandLineInfo::AppRegister}},
    {"RegisterPerUser",
     {"/registerperuser"},
     {CCommandLineInfo::AppRegister, {}, {}, {}, {}, {}, false, false, true}},
    {"RegserverPerUser",
     {"-RegserverPerUser"},
     {CCommandLineInfo::AppRegister, {}, {}, {}, {}, {}, false, false, true}},
    {"UNREGISTER", {"/UNREGISTER"}, {CCommandLineInfo::AppUnregister}},
    {"unregserver", {"-unregserver"}, {CCommandLineInfo::AppUnregister}},
    {"UnregisterPerUser",
     {"/UnregisterPerUser"},
     {CCommandLineInfo::AppUnregister, {}, {}, {}, {}, {}, false, false, true}},
    {"UnregserverPerUser",
     {"/UNREGSERVERPERUSER"},
     {CCommandLineInfo::AppUnregister, {}, {}, {}, {}, {}, false, false, true}},
    {"Unregister with Embedding records Embedding",
     {"/Unregister", "-Embedding"},
     {CCommandLineInfo::AppUnregister, {}, {}, {}, {}, {}, true}},
    {"embedding any case", {"/embedding"}, {CCommandLineInfo::FileNew, {}, {}, {}, {}, {}, true}},
    {"Automation", {"-AUTOMATION"}, {CCommandLineInfo::FileNew, {}, {}, {}, {}, {}, false, true}},
    {"restart switch",
     {"/RestartByRestartManager:" + kId},
     {CCommandLineInfo::RestartByRestartManager, {}, {}, {}, {}, kId}},
    {"restart switch in mixed case with a file",
     {"f.html", "-rEsTaRtByReStArTmAnAgEr:" + kId},
     {CCommandLineInfo::RestartByRestartManager, "f.html", {}, {}, {}, kId}},
    {"restart switch of 59 characters ignored", {"/RestartByRestartManager:" + kId.left(35)}, {}},
    {"restart switch of 61 characters ignored", {"/RestartByRestartManager:" + kId + "0"}, {}},
    {"restart switch of 60 characters without the colon ignored", {"/RestartByRestartManagerX" + kId}, {}},
    {"restart identifier that is not hex ignored",
     {"/RestartByRestartManager:GGGGGGGG-GGGG-GGGG-GGGG-GGGGGGGGGGGG"},
     {}},
    {"restart identifier that is a path ignored",
     {"-RestartByRestartManager:" + QString("../").repeated(11) + "etc"},
     {}},
};

INSTANTIATE_TEST_SUITE_P(Switches, CommandLine, ::testing::ValuesIn(kCases));

// Records what ParseCommandLine hands to the overridable step.
struct RecordingInfo : CCommandLineInfo {
    QStringList seen;
    void ParseParam(const QString& param, bool isFlag, bool isLast) override {
        seen << QStringLiteral("%1%2%3").arg(isFlag ? "F:" : "P:", param, isLast ? "!" : "");
        CCommandLineInfo::ParseParam(param, isFlag, isLast);
    }
};

TEST(CommandLineParse, StripsTheSwitchPrefixAndMarksOnlyTheLastArgument) {
    RecordingInfo info;
    ParseCommandLine({"-x", "/dde", "/tmp/a.html", "-"}, info);
    EXPECT_EQ(info.seen, (QStringList{"F:x", "F:dde", "P:/tmp/a.html", "F:!"}));
}

TEST(CommandLineParse, SwitchArgumentsNeedAKnownNameAfterASlash) {
    EXPECT_TRUE(IsSwitchArgument("-anything"));
    EXPECT_TRUE(IsSwitchArgument("/Embedding"));
    EXPECT_TRUE(IsSwitchArgument("/RestartByRestartManager:too-short"));
    EXPECT_FALSE(IsSwitchArgument("/RestartByRestartManager/page.html"));
    EXPECT_FALSE(IsSwitchArgument("/p/page.html"));
    EXPECT_FALSE(IsSwitchArgument("page.html"));
}

} // namespace
