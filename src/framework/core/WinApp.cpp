#include "framework/core/WinApp.h"

#include "framework/core/DataRecoveryHandler.h"

#include "framework/core/CmdUI.h"
#include "framework/core/DocManager.h"
#include "framework/core/DocTemplate.h"
#include "framework/core/Document.h"
#include "framework/core/FrameWnd.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/RecentFileList.h"
#include "framework/core/Resources.h"
#include "framework/core/SettingsStore.h"
#include "framework/core/UserPrompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace lw {

namespace {
CWinApp*& theApp() {
    static CWinApp* app = nullptr;
    return app;
}
const QString kRecentFileSection = QStringLiteral("Recent File List");
} // namespace

CWinApp* AfxGetApp() { return theApp(); }

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
    ON_COMMAND(ID_APP_EXIT, &CWinApp::OnAppExit)
    ON_COMMAND_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, &CWinApp::OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, &CWinApp::OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::CWinApp() : m_pDocManager(std::make_unique<CDocManager>()) { theApp() = this; }

CWinApp::~CWinApp() {
    m_pDocManager.reset();
    if (theApp() == this)
        theApp() = nullptr;
}

void CWinApp::SetRegistryKey(const QString& company) {
    m_strRegistryKey = company;
    // The application name names the key; without it, the program file's name does.
    if (m_strProfileName.isEmpty())
        m_strProfileName = AfxLoadString(AFX_IDS_APP_TITLE);
    if (m_strProfileName.isEmpty())
        m_strProfileName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    m_pSettings = std::make_unique<CSettingsStore>(
        QDir(config).filePath(company + QLatin1Char('/') + m_strProfileName + QStringLiteral(".reg")));
}

UINT CWinApp::GetProfileInt(const QString& section, const QString& entry, int nDefault) const {
    if (!m_pSettings)
        return static_cast<UINT>(nDefault);
    return m_pSettings->readDWord(section, entry).value_or(static_cast<quint32>(nDefault));
}

BOOL CWinApp::WriteProfileInt(const QString& section, const QString& entry, int nValue) {
    return m_pSettings && m_pSettings->writeDWord(section, entry, static_cast<quint32>(nValue));
}

QString CWinApp::GetProfileString(const QString& section, const QString& entry, const QString& def) const {
    if (!m_pSettings)
        return def;
    return m_pSettings->readString(section, entry).value_or(def);
}

BOOL CWinApp::WriteProfileString(const QString& section, const QString& entry, const QString& value) {
    return m_pSettings && m_pSettings->writeString(section, entry, value);
}

std::optional<QByteArray> CWinApp::GetProfileBinary(const QString& section, const QString& entry) const {
    if (!m_pSettings)
        return std::nullopt;
    return m_pSettings->readBinary(section, entry);
}

BOOL CWinApp::WriteProfileBinary(const QString& section, const QString& entry, const QByteArray& value) {
    return m_pSettings && m_pSettings->writeBinary(section, entry, value);
}

// The program's own values stay in "Workspace" even while full screen borrows another
// workspace key, so a choice made in full screen is not lost with that key.
int CWinApp::GetInt(const QString& name, int nDefault) const {
    return static_cast<int>(GetProfileInt(QStringLiteral("Workspace"), name, nDefault));
}

BOOL CWinApp::WriteInt(const QString& name, int nValue) {
    return WriteProfileInt(QStringLiteral("Workspace"), name, nValue);
}

void CWinApp::SetDataRecoveryHandler(std::unique_ptr<CDataRecoveryHandler> handler) {
    m_pDataRecoveryHandler = std::move(handler);
}

BOOL CWinApp::DelRegTree() { return m_pSettings && m_pSettings->deleteApplicationKey(); }

void CWinApp::AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate) {
    m_pDocManager->AddDocTemplate(std::move(pTemplate));
}

CDocument* CWinApp::OpenDocumentFile(const QString& path) { return m_pDocManager->OpenDocumentFile(path); }

BOOL CWinApp::SaveAllModified() { return m_pDocManager->SaveAllModified(); }

void CWinApp::CloseAllDocuments(BOOL bEndSession) { m_pDocManager->CloseAllDocuments(bEndSession); }

void CWinApp::LoadStdProfileSettings(int nMaxMRU) {
    m_pRecentFileList = std::make_unique<CRecentFileList>(ID_FILE_MRU_FIRST, nMaxMRU, 30);
    QStringList stored;
    for (int i = 1; i <= nMaxMRU; ++i)
        stored << GetProfileString(kRecentFileSection, QStringLiteral("File%1").arg(i));
    m_pRecentFileList->ReadList(stored);
}

void CWinApp::SaveStdProfileSettings() {
    if (!m_pRecentFileList || !m_pSettings || m_bNoSaveSettings)
        return;
    const QStringList entries = m_pRecentFileList->WriteList();
    // The whole key is replaced, so entries beyond the list's size disappear.
    m_pSettings->apply([&](CSettingsTree& tree) {
        tree.deleteKey(kRecentFileSection);
        tree.createKey(kRecentFileSection);
        for (int i = 0; i < entries.size(); ++i)
            tree.writeString(kRecentFileSection, QStringLiteral("File%1").arg(i + 1), entries[i]);
    });
}

void CWinApp::AddToRecentFileList(const QString& path) {
    if (m_pRecentFileList)
        m_pRecentFileList->Add(path);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    BOOL bResult = TRUE;
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
    case CCommandLineInfo::RestartByRestartManager:
        // Offered along the route first, so a program handler of New wins.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        if (!m_pMainWnd)
            bResult = FALSE;
        break;
    case CCommandLineInfo::FileOpen:
        if (!OpenDocumentFile(rCmdInfo.m_strFileName))
            bResult = FALSE;
        break;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        m_nCmdShow = SW_HIDE;
        if (OpenDocumentFile(rCmdInfo.m_strFileName) && m_pMainWnd)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        bResult = FALSE;
        break;
    case CCommandLineInfo::FileDDENoShow:
        m_nCmdShow = SW_HIDE;
        break;
    case CCommandLineInfo::FileDDE:
    case CCommandLineInfo::FileNothing:
        break;
    case CCommandLineInfo::AppRegister:
        m_bNoSaveSettings = true;
        bResult = FALSE;
        break;
    case CCommandLineInfo::AppUnregister:
        m_bNoSaveSettings = true;
        DelRegTree();
        if (!rCmdInfo.m_bRunEmbedded)
            AfxMessageBox(AFX_IDP_UNREG_DONE, MB_OK | MB_ICONINFORMATION);
        bResult = FALSE;
        break;
    }
    return bResult;
}

void CWinApp::OnFileNew() { m_pDocManager->OnFileNew(); }
void CWinApp::OnFileOpen() { m_pDocManager->OnFileOpen(); }
void CWinApp::OnAppExit() { CloseMainWindow(); }

void CWinApp::CloseMainWindow() {
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
        frame->OnClose();
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    if (!m_pRecentFileList)
        return;
    const int index = static_cast<int>(nID - ID_FILE_MRU_FIRST);
    if (index < 0 || index >= m_pRecentFileList->count())
        return;
    const QString path = (*m_pRecentFileList)[index];
    // An entry whose file can no longer be opened leaves the list.
    if (!QFileInfo::exists(path) || !OpenDocumentFile(path))
        m_pRecentFileList->Remove(index);
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    pCmdUI->Enable(m_pRecentFileList && m_pRecentFileList->count() > 0);
}

} // namespace lw
