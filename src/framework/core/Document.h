#pragma once
// A document: path, title, modified flag, its views, and the file commands (Close,
// Save, Save As) on the route after its views.

#include "framework/core/CmdTarget.h"
#include "framework/core/FileSignature.h"

#include <QString>
#include <vector>

namespace lw {

class CDocTemplate;
class CView;
class CFrameWnd;

class CDocument : public CCmdTarget {
    DECLARE_MESSAGE_MAP()
public:
    ~CDocument() override;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    const QString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title);
    const QString& GetPathName() const { return m_strPathName; }
    // Sets the path, titles the document after the file and adds it to the recent files.
    virtual void SetPathName(const QString& path, bool addToRecentFiles = true);
    void ClearPathName() { m_strPathName.clear(); }

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified != FALSE; }

    // Life cycle steps the template drives.
    virtual BOOL OnNewDocument();
    virtual BOOL OnOpenDocument(const QString& path);
    virtual BOOL OnSaveDocument(const QString& path);
    // Closes every window of the document; the document deletes itself afterwards.
    virtual void OnCloseDocument();

    // Asks "Save changes to %1?" for a modified document; FALSE when the user cancels
    // or the save fails.
    virtual BOOL SaveModified();
    // Save: Save As when there is no usable path (none, read-only, or not examinable).
    virtual BOOL DoFileSave();
    // Saves under path, or asks for a name when path is empty (replacing the
    // document's path when bReplace).
    virtual BOOL DoSave(const QString& path, BOOL bReplace = TRUE);
    // The name proposed in Save As for a document without a path.
    QString ProposedSaveName() const;

    // Writes the document's current contents to path without making it the document's
    // file or changing whether it counts as modified (auto-save); FALSE with errorText
    // when it cannot.
    virtual BOOL SaveCopyTo(const QString& path, QString* errorText);

    // The document's file as last read or written, to notice changes made by others.
    void RememberFileOnDisk();
    // Reads the document's file again, dropping its changes; FALSE when it cannot.
    virtual BOOL ReloadFromDisk();
    // Tells the user when another program changed or deleted the document's file since
    // it was read or written, and offers to read it again.
    void CheckFileOnDisk();

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& Views() const { return m_views; }
    std::vector<CFrameWnd*> Frames() const;

    // The file commands.
    void OnFileClose();
    void OnFileSave();
    void OnFileSaveAs();

    bool m_bAutoDelete = true;

protected:
    virtual void OnChangedViewList();
    void UpdateFrameCounts();

private:
    friend class CDocTemplate;
    QString m_strTitle;
    QString m_strPathName;
    CDocTemplate* m_pDocTemplate = nullptr;
    std::vector<CView*> m_views;
    bool m_bModified = false;
    bool m_bClosing = false;
    CFileSignature m_diskFile;
    // The outside version the user chose to keep their own work over, and a deletion already reported.
    CFileSignature m_keptOver;
    bool m_bDeletionReported = false;
};

// The name of a file as shown to the user: its last path component.
QString AfxFileTitle(const QString& path);

} // namespace lw
