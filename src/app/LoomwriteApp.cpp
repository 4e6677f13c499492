#include "app/LoomwriteApp.h"

#include "app/AboutDlg.h"
#include "app/InstanceChannel.h"
#include "editor/LoomwriteDoc.h"
#include "editor/LoomwriteView.h"
#include "frame/ChildFrame.h"
#include "frame/MainFrame.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/UserPrompts.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace lw {

BEGIN_MESSAGE_MAP(CLoomwriteApp, CWinAppEx)
    ON_COMMAND(ID_APP_ABOUT, &CLoomwriteApp::OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, &CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, &CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, &CLoomwriteApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CLoomwriteApp::CLoomwriteApp() = default;
CLoomwriteApp::~CLoomwriteApp() = default;

bool IsEngineRuntimeAvailable() {
    // The engine runs its pages in a helper process shipped with Qt WebEngine.
    const QByteArray overridePath = qgetenv("QTWEBENGINEPROCESS_PATH");
    if (!overridePath.isEmpty())
        return QFileInfo(QString::fromLocal8Bit(overridePath)).isExecutable();
    const QString dir = QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath);
    return QFileInfo(QDir(dir).filePath(QStringLiteral("QtWebEngineProcess"))).isExecutable();
}

BOOL CLoomwriteApp::InitInstance() {
    qCInfo(lcStartup, "initialising");
    RegisterProgramResources();
    RegisterProgramImages();
    if (!CWinAppEx::InitInstance())
        return FALSE;
    if (!m_bArgumentsSet)
        m_arguments = QCoreApplication::arguments().mid(1);
    CCommandLineInfo cmdInfo;
    ParseCommandLine(m_arguments, cmdInfo);
    if (HandOverToRunningEditor(cmdInfo))
        return FALSE;
    if (!IsEngineRuntimeAvailable()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED, MB_OK | MB_ICONERROR);
        return FALSE;
    }
    SetRegistryKey(QStringLiteral("Tarn"));
    LoadStdProfileSettings(10);
    EnableUserTools(ID_TOOLS_ENTRY, ID_USER_TOOL_FIRST, ID_USER_TOOL_LAST);
    EnableTearOffMenus(QStringLiteral("TearOffMenus"), ID_TEAROFF_FIRST, ID_TEAROFF_LAST);
    InitKeyboardManager();

    auto tmpl = std::make_unique<CMultiDocTemplate>(
        IDR_HTMLDOCTYPE, [] { return new CLoomwriteDoc; }, [] { return new CChildFrame; },
        [] { return new CLoomwriteView; });
    CMultiDocTemplate* docTemplate = tmpl.get();
    AddDocTemplate(std::move(tmpl));

    m_hiColorIcons = GetInt(QStringLiteral("HiColorIcons"), 1);
    m_applicationLook = GetInt(QStringLiteral("ApplicationLook"), m_hiColorIcons ? 215 : 205);
    qCInfo(lcStartup, "creating the main frame");
    auto* mainFrame = new CMainFrame;
    if (!mainFrame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr)) {
        mainFrame->DestroyWindow();
        return FALSE;
    }
    m_pMainWnd = mainFrame;
    docTemplate->m_pFrameParent = mainFrame;
    mainFrame->LoadWindowPlacement();

    qCInfo(lcStartup, "main frame created");
    // Printing and registration runs end at once and keep no documents worth recovering.
    const bool interactive = cmdInfo.m_nShellCommand != CCommandLineInfo::FilePrint &&
                             cmdInfo.m_nShellCommand != CCommandLineInfo::FilePrintTo &&
                             cmdInfo.m_nShellCommand != CCommandLineInfo::AppRegister &&
                             cmdInfo.m_nShellCommand != CCommandLineInfo::AppUnregister;
    if (interactive) {
        StartDataRecovery(cmdInfo.m_strRestartIdentifier);
        // Documents brought back stand in for the untitled one a bare start would make.
        const bool bare = cmdInfo.m_nShellCommand == CCommandLineInfo::FileNew ||
                          cmdInfo.m_nShellCommand == CCommandLineInfo::RestartByRestartManager;
        if (RecoverDocuments() > 0 && bare)
            cmdInfo.m_nShellCommand = CCommandLineInfo::FileNothing;
    }
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    qCInfo(lcStartup, "command line processed");
    // A normal start shows the window maximised; any other show state stands.
    const int show = m_nCmdShow == SW_SHOWNORMAL ? SW_SHOWMAXIMIZED : m_nCmdShow;
    mainFrame->ActivateFrame(show);
    if (CMDIChildWnd* child = mainFrame->MDIGetActive())
        child->ActivateFrame();
    return TRUE;
}

bool CLoomwriteApp::HandOverToRunningEditor(const CCommandLineInfo& info) {
    if (!CInstanceChannel::IsWanted())
        return false;
    // Printing, registration and a session restart run in a process of their own.
    if (info.m_nShellCommand != CCommandLineInfo::FileNew && info.m_nShellCommand != CCommandLineInfo::FileOpen)
        return false;
    m_instanceChannel = std::make_unique<CInstanceChannel>();
    const QStringList files = info.m_nShellCommand == CCommandLineInfo::FileOpen ? QStringList{info.m_strFileName}
                                                                                 : QStringList{};
    if (m_instanceChannel->HandOver(files)) {
        // The running editor has the files; this start ends quietly, writing nothing.
        m_bNoSaveSettings = true;
        m_nCmdShow = SW_HIDE;
        SetExitCode(0);
        m_instanceChannel.reset();
        return true;
    }
    if (m_instanceChannel->Listen())
        m_instanceChannel->onRequest = [this](const QStringList& requested) { OnInstanceRequest(requested); };
    return false;
}

void CLoomwriteApp::OnInstanceRequest(const QStringList& files) {
    auto* frame = dynamic_cast<CMDIFrameWndEx*>(m_pMainWnd);
    if (!frame)
        return;
    if (files.isEmpty())
        OnFileNew();
    for (const QString& file : files)
        OpenDocumentFile(file);
    // The editor comes forward to show what the other start asked for.
    if (QWidget* window = frame->GetWidget()) {
        if (window->isMinimized())
            window->showNormal();
        window->raise();
        window->activateWindow();
    }
}

BOOL CLoomwriteApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    // Printing without a file has nothing to print: nothing opens and the program ends.
    if ((rCmdInfo.m_nShellCommand == CCommandLineInfo::FilePrint ||
         rCmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo) &&
        rCmdInfo.m_strFileName.isEmpty())
        return FALSE;
    if (rCmdInfo.m_nShellCommand == CCommandLineInfo::FilePrint ||
        rCmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo) {
        PrintFromCommandLine(rCmdInfo);
        return FALSE;
    }
    if (rCmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen) {
        // A file that cannot be opened has been reported; the editor still starts, with
        // an untitled document, rather than vanishing.
        if (!OpenDocumentFile(rCmdInfo.m_strFileName))
            OnFileNew();
        return m_pMainWnd != nullptr;
    }
    return CWinAppEx::ProcessShellCommand(rCmdInfo);
}

void CLoomwriteApp::PrintFromCommandLine(const CCommandLineInfo& info) {
    m_nCmdShow = SW_HIDE;
    const bool printTo = info.m_nShellCommand == CCommandLineInfo::FilePrintTo;
    const QList<QPrinterInfo> printers = QPrinterInfo::availablePrinters();
    const bool known = !printTo || std::any_of(printers.begin(), printers.end(), [&](const QPrinterInfo& p) {
        return p.printerName() == info.m_strPrinterName;
    });
    if (printers.isEmpty() || !known) {
        AfxMessageBox(printers.isEmpty()
                          ? QStringLiteral("No printer is set up, so \"%1\" cannot be printed.").arg(info.m_strFileName)
                          : QStringLiteral("The printer \"%1\" is not set up.").arg(info.m_strPrinterName),
                      MB_OK | MB_ICONERROR);
        return;
    }
    auto* doc = dynamic_cast<CLoomwriteDoc*>(OpenDocumentFile(info.m_strFileName));
    CLoomwriteView* view = doc ? dynamic_cast<CLoomwriteView*>(doc->GetView()) : nullptr;
    IHtmlEngine* engine = view ? view->GetEngine() : nullptr;
    if (!engine)
        return;
    // The page loads asynchronously; printing waits for it, and the program then ends.
    QEventLoop loop;
    bool printed = false;
    QObject::connect(engine, &IHtmlEngine::printFinished, &loop, [&](bool ok) {
        printed = ok;
        loop.quit();
    });
    // A renderer failure closes the document, and the view and engine go with it.
    const QPointer<IHtmlEngine> alive = engine;
    QObject::connect(engine, &QObject::destroyed, &loop, &QEventLoop::quit);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (!alive) {
            loop.quit();
            return;
        }
        if (view->m_documentCompleteCount < 2)
            return;
        poll.stop();
        auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
        if (printTo)
            printer->setPrinterName(info.m_strPrinterName);
        if (FAILED(engine->print(printer)))
            loop.quit();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    poll.start(20);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!printed)
        AfxMessageBox(QStringLiteral("\"%1\" could not be printed.").arg(info.m_strFileName), MB_OK | MB_ICONERROR);
}

int CLoomwriteApp::ExitInstance() {
    // A clean end: nothing is left to recover (a restart shutdown keeps its copies).
    if (CDataRecoveryHandler* handler = GetDataRecoveryHandler())
        handler->EndSession();
    return CWinAppEx::ExitInstance();
}

void CLoomwriteApp::OnAppAbout() {
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

void CLoomwriteApp::OnFilePrintSetup() {
    QPrinter printer;
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.exec();
}

} // namespace lw
