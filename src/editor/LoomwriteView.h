#pragma once
// The program's editing view: switches each loaded page into design mode, applies the
// stored editing options once the page is editable, keeps the page from navigating away
// afterwards, refuses the engine its own Control shortcuts, and carries the editing
// command map, the character formatting handlers, the block format menu and the options.

#include "editor/HtmlEditView.h"

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

private:
    void focusPage();
    // Runs close once no loop other than the main one is running.
    static void closeFromMainLoop(QPointer<QWidget> widget, std::function<void()> close, int delayMs = 0);
};

} // namespace lw
