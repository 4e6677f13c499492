#pragma once
// The editing view: hosts one HTML engine for its whole life, fills its window with the
// engine's, and turns the engine's notifications into virtual hooks.

#include "editor/EngineCommandHelpers.h"
#include "engine/HtmlEngine.h"
#include "framework/ui/WidgetView.h"

#include <QPointer>

#include <memory>

class QIODevice;
class QKeyEvent;
class QLabel;

namespace lw {

class CHtmlEditView : public CWidgetView, public CHtmlEditCtrlBase {
    DECLARE_MESSAGE_MAP()
public:
    CHtmlEditView();
    ~CHtmlEditView() override;

    IHtmlEngine* GetEngine() const { return m_engine.get(); }
    IHtmlEngine* GetEngineForCommands() const override { return m_engine.get(); }

    // The editing view decides about mapped commands before its message map and document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    virtual BOOL RouteEditingCommand(UINT nID, int nCode, CCmdUI* pCmdUI);
    // The map hooks: without a map, no ID is found (-1) and no handler runs.
    virtual UINT LookupEditingCommand(UINT nID, UINT& hasHandler, UINT& kind) const;
    virtual BOOL RunEditingCommandHandler(UINT nID);

    // Loads a URL or path into the engine.
    void Navigate(const QString& urlOrPath);
    // Loads the document's file again in place of the page, as when it was first opened.
    virtual void Reload(const QString& path) { Navigate(path); }
    // Writes the page as a file holds it (S_OK), for the document's saves and copies.
    virtual HRESULT WritePage(QIODevice& out);
    // Whether the page differs from what was last saved.
    virtual bool IsPageModified() const;
    // The page was saved as the document's file.
    virtual void OnPageSaved() {}
    // Gives the keyboard focus to the page's window; nothing without a page.
    void FocusEngineWindow();

    // The engine's notifications.
    virtual void OnEngineDocumentComplete(const QString& url);
    virtual void OnEngineBeforeNavigate(const QUrl& url, bool* cancel);
    virtual void OnEngineUIUpdate();
    // The page is gone with its changes (the engine's renderer failed).
    virtual void OnEngineFailed(const QString& reason);
    // The loaded file's bytes were read: a page whose bytes an edit cannot keep gets a note.
    virtual void OnEngineSourceRead();
    // The note shown over the page, empty while none is shown.
    QString GetPageNote() const;
    // Asked for each key the frames did not translate: true means handled, and the
    // engine ignores it.
    virtual bool OnEngineAccelerator(QKeyEvent* event);

    // Quick Print: the engine's standard print with default options.
    virtual void OnFilePrintDirect();
    // Print when nothing earlier on the route answered it.
    virtual void OnFilePrint();

    void OnActivateView() override;

protected:
    QWidget* CreateViewWidget() override;
    void OnDestroy() override;

private:
    std::unique_ptr<IHtmlEngine> m_engine;
    QPointer<QLabel> m_pageNote;
};

} // namespace lw
