#pragma once
// The program's editing view: switches each loaded page into design mode, applies the
// stored editing options once the page is editable, keeps the page from navigating away
// afterwards, refuses the engine its own Control shortcuts, and carries the editing
// command map, the character formatting handlers, the block format menu and the options.

#include "editor/HtmlEditView.h"
#include "editor/SourcePane.h"

#include <QLoggingCategory>
#include <QPointer>
#include <QStringList>

#include <functional>



namespace lw {

// Start-up milestones, for the start-up benchmark ("loomwrite.startup.info=true").
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

class CLoomwriteDoc;

class CLoomwriteView : public CHtmlEditView {
    DECLARE_MESSAGE_MAP()
public:
    CLoomwriteDoc* GetDocument() const;

    void OnEngineDocumentComplete(const QString& url) override;
    void OnEngineBeforeNavigate(const QUrl& url, bool* cancel) override;
    // A reload starts the page's life over: its load and the switch to design mode again.
    void Reload(const QString& path) override;
    bool OnEngineAccelerator(QKeyEvent* event) override;
    void OnEngineUIUpdate() override;
    // Tells the user and closes the document: its page cannot be shown or saved any more.
    void OnEngineFailed(const QString& reason) override;

    // The page's markup as text in place of its design, and back.
    bool IsSourceShown() const { return m_sourceShown; }
    // Shows the markup a save would write, the selection's element selected; false (with a
    // message) when there is no page to show yet.
    bool ShowSource();
    // Shows the design again, loading the markup first when the text was changed; false when
    // the markup could not be loaded and the text stays.
    bool ShowDesign();
    SourceEditor* GetSourceEditor() const { return m_sourceEditor; }
    // The text in the source editor, with the page's own line ends.
    QString SourceText() const;
    // Whether the text was edited into something other than the markup the design shows.
    bool SourceChanged() const;
    HRESULT WritePage(QIODevice& out) override;
    bool IsPageModified() const override;
    void OnPageSaved() override;
    void OnActivateView() override;
    BOOL RouteEditingCommand(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    UINT LookupEditingCommand(UINT nID, UINT& hasHandler, UINT& kind) const override;
    BOOL RunEditingCommandHandler(UINT nID) override;

    // Character formatting.
    virtual void OnFontName(UINT engineCommand);
    virtual void OnFontSize(UINT engineCommand);
    virtual void OnForeColorButton(UINT engineCommand);
    virtual void OnBackColorButton(UINT engineCommand);
    virtual void OnChooseColor(UINT engineCommand);
    virtual void OnStaticPosition(UINT engineCommand);
    virtual void OnAbsolutePosition(UINT engineCommand);
    // Editor options.
    virtual void OnToggleEditOption(UINT engineCommand);
    // Block formats.
    virtual void OnBlockFormat(UINT nID);
    virtual void OnUpdateBlockFormat(CCmdUI* pCmdUI);
    virtual void OnAutoUrlDetect();
    virtual void OnUpdateAutoUrlDetect(CCmdUI* pCmdUI);
    virtual void OnSilent();
    virtual void OnUpdateSilent(CCmdUI* pCmdUI);

    static QString OptionSettingName(UINT engineCommand);
    bool ApplyStoredOption(UINT engineCommand, bool defaultValue);
    // Applies the stored editing options and Silent (on the second completion).
    virtual void ApplyEditorOptions();
    // Asks for a colour, starting from current; nothing when cancelled. Replaceable in tests.
    virtual std::optional<std::uint32_t> AskColor(std::uint32_t current);

    quint32 m_documentCompleteCount = 0;
    bool m_autoUrlDetect = true;
    QStringList m_blockFormats;

protected:
    QWidget* CreateViewWidget() override;

private:
    void focusPage();
    // What the editing commands that act on text do to the source editor.
    BOOL RouteSourceCommand(UINT nID, int nCode, CCmdUI* pCmdUI);
    void findInSource(const QString& text, bool backwards);
    void showDesignWidgets();

    QPointer<SourceEditor> m_sourceEditor;
    QPointer<SourceModeBar> m_modeBar;
    bool m_sourceShown = false;
    // Markup from the text is loading; the design shows once it is editable.
    bool m_designPending = false;
    // The text the design page was made from; the page is loaded anew when the source differs.
    QString m_designSource;
    // The design had unsaved changes when its markup was shown.
    bool m_designChanged = false;
    // The page's lines end in CR LF, which the editor shows as plain line ends.
    bool m_sourceCrlf = false;
    // Runs close once no loop other than the main one is running.
    static void closeFromMainLoop(QPointer<QWidget> widget, std::function<void()> close, int delayMs = 0);
};

} // namespace lw
