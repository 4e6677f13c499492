#pragma once
// The application object's share of the framework that needs no widgets: the
// document manager, the settings store and its profile operations, the recent-file
// list and the shell command that start-up processes. It sits on the route after the
// active document's frame and before the main frame.

#include "framework/core/CmdTarget.h"
#include "framework/core/CommandLineInfo.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace lw {

class CDataRecoveryHandler;
class CDocManager;
class CDocTemplate;
class CDocument;
class CRecentFileList;
class CSettingsStore;
class CWnd;

class CWinApp : public CCmdTarget {
    DECLARE_MESSAGE_MAP()
public:
    CWinApp();
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // The main window, once start-up made one.
    CWnd* m_pMainWnd = nullptr;
    // How the main window is shown at the end of start-up.
    int m_nCmdShow = 1;
    // Register/Unregister runs write nothing back at exit.
    bool m_bNoSaveSettings = false;

    // Settings root: <config>/<company>/<application>.reg, holding the application key.
    void SetRegistryKey(const QString& company);
    QString GetRegistryKey() const { return m_strRegistryKey; }
    QString GetProfileName() const { return m_strProfileName; }
    void SetProfileName(const QString& name) { m_strProfileName = name; }
    CSettingsStore* GetSettingsStore() const { return m_pSettings.get(); }

    // Values below the application key. A missing value, or one of another type,
    // reads as the default; reading never creates anything.
    UINT GetProfileInt(const QString& section, const QString& entry, int nDefault) const;
    BOOL WriteProfileInt(const QString& section, const QString& entry, int nValue);
    QString GetProfileString(const QString& section, const QString& entry, const QString& def = {}) const;
    BOOL WriteProfileString(const QString& section, const QString& entry, const QString& value);
    std::optional<QByteArray> GetProfileBinary(const QString& section, const QString& entry) const;
    BOOL WriteProfileBinary(const QString& section, const QString& entry, const QByteArray& value);

    // The workspace key ("Workspace", or another while full screen is on), and the
    // program's two operations on its own values, which always live in "Workspace".
    QString GetRegistryBase() const { return m_strRegSection; }
    void SetRegistryBase(const QString& section) { m_strRegSection = section; }
    int GetInt(const QString& name, int nDefault) const;
    BOOL WriteInt(const QString& name, int nValue);

    // Deletes the application key, and the company folder when nothing else is left.
    BOOL DelRegTree();

    // Document management.
    CDocManager* GetDocManager() const { return m_pDocManager.get(); }
    // Auto-save and recovery, when start-up turned them on.
    CDataRecoveryHandler* GetDataRecoveryHandler() const { return m_pDataRecoveryHandler.get(); }
    void SetDataRecoveryHandler(std::unique_ptr<CDataRecoveryHandler> handler);
    void AddDocTemplate(std::unique_ptr<CDocTemplate> pTemplate);
    virtual CDocument* OpenDocumentFile(const QString& path);
    virtual BOOL SaveAllModified();
    void CloseAllDocuments(BOOL bEndSession);

    // Recent files: entries read from and written to the "Recent File List" key.
    void LoadStdProfileSettings(int nMaxMRU);
    void SaveStdProfileSettings();
    virtual void AddToRecentFileList(const QString& path);
    CRecentFileList* GetRecentFileList() const { return m_pRecentFileList.get(); }

    // Start-up: the shell command from the command line. FALSE ends the program.
    virtual BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

    // Commands the framework application handles.
    void OnFileNew();
    void OnFileOpen();
    void OnAppExit();
    void OnOpenRecentFile(UINT nID);
    void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);

protected:
    // Closes the main window (Exit); the UI layer's main frame takes it from there.
    virtual void CloseMainWindow();

private:
    QString m_strRegistryKey;
    QString m_strProfileName;
    QString m_strRegSection = QStringLiteral("Workspace");
    std::unique_ptr<CSettingsStore> m_pSettings;
    std::unique_ptr<CDocManager> m_pDocManager;
    std::unique_ptr<CRecentFileList> m_pRecentFileList;
    std::unique_ptr<CDataRecoveryHandler> m_pDataRecoveryHandler;
};

CWinApp* AfxGetApp();

} // namespace lw
