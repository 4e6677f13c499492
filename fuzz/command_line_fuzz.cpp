// Feeds arbitrary argument lists through command-line parsing and open-path normalisation and
// checks what start-up relies on: the file and printer fields come from the right parameters,
// and a normalised path is empty or absolute, clean and stable.

#include "framework/core/CommandLineInfo.h"
#include "framework/core/OpenPath.h"
#include "framework/core/RecentFileList.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace lw;

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

// Arguments are separated by NUL or line feed, as a launcher could never put either in one.
QStringList splitArguments(const std::uint8_t* data, size_t size) {
    QStringList args;
    QByteArray current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 || data[i] == '\n') {
            args << QString::fromUtf8(current);
            current.clear();
        } else {
            current.append(char(data[i]));
        }
    }
    if (size > 0)
        args << QString::fromUtf8(current);
    return args;
}

void checkCommandLine(const QStringList& args) {
    CCommandLineInfo info;
    ParseCommandLine(args, info);

    // The expected file: the first non-empty parameter. The expected printer fields, with
    // print-to only: the non-empty parameters after the last "pt", leaving out the file name.
    qsizetype fileIndex = -1;
    qsizetype lastPrintTo = -1;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (IsSwitchArgument(args[i])) {
            if (args[i].mid(1) == u"pt")
                lastPrintTo = i;
        } else if (fileIndex < 0 && !args[i].isEmpty()) {
            fileIndex = i;
        }
    }
    require(info.m_strFileName == (fileIndex >= 0 ? args[fileIndex] : QString()),
            "file is the first parameter");

    QStringList printTo;
    if (info.m_nShellCommand == CCommandLineInfo::FilePrintTo) {
        require(lastPrintTo >= 0, "print-to needs pt");
        for (qsizetype i = lastPrintTo + 1; i < args.size() && printTo.size() < 3; ++i) {
            if (!IsSwitchArgument(args[i]) && !args[i].isEmpty() && i != fileIndex)
                printTo << args[i];
        }
    }
    while (printTo.size() < 3)
        printTo << QString();
    require(info.m_strPrinterName == printTo[0] && info.m_strDriverName == printTo[1] &&
                info.m_strPortName == printTo[2],
            "printer fields are set only for print-to, from the parameters after the last pt");

    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        require(info.m_strFileName.isEmpty(), "new document has no file");
        break;
    case CCommandLineInfo::FileOpen:
        require(!info.m_strFileName.isEmpty(), "open has a file");
        break;
    case CCommandLineInfo::RestartByRestartManager:
        require(info.m_strRestartIdentifier.size() == 36, "restart identifier has 36 characters");
        break;
    default:
        break;
    }
    if (!args.isEmpty())
        require(info.m_bShowSplash == !(info.m_bRunEmbedded || info.m_bRunAutomated), "splash follows flags");
}

void checkOpenPath(const QString& raw) {
    const QString path = NormaliseOpenPath(raw);
    if (path.isEmpty())
        return;
    require(path.startsWith(u'/'), "normalised path is absolute");
    require(!path.contains(QChar(0)), "normalised path holds no NUL");
    require(QDir::cleanPath(path) == path, "normalised path is clean");
    require(NormaliseOpenPath(path) == path, "normalising is stable");
    require(SamePath(path, raw.startsWith(u'"') ? path : raw), "a path is the same as its normal form");
}

void checkMenuTexts(const QStringList& args) {
    CRecentFileList list(57616, 10, 30);
    for (const QString& arg : args)
        list.Add(arg);
    require(list.count() <= 10, "at most ten recent files");
    for (int i = 0; i < list.count(); ++i) {
        const QString shown = CRecentFileList::AbbreviateName(list[i], 30, false);
        require(shown.size() <= 30, "shortened name fits");
        require(!list.MenuText(i).isEmpty(), "every entry has a menu text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const QStringList args = splitArguments(data, size);
    checkCommandLine(args);
    for (const QString& arg : args)
        checkOpenPath(arg);
    checkMenuTexts(args);
    return 0;
}
