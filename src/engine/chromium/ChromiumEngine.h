#pragma once
// The HTML engine on Qt WebEngine. A page-side editing script, running in an isolated world
// of each page, carries out the engine commands and pushes a snapshot of their state over a
// web channel; status queries and value reads are answered from the latest snapshot, so the
// host never waits for the page except to save.

#include "engine/HtmlEngine.h"
#include "engine/chromium/EngineSnapshot.h"

#include <QFuture>
#include <QJsonValue>
#include <QPageLayout>
#include <QPointer>

#include <memory>
#include <optional>
#include <vector>

class QKeyEvent;
class QMenu;
class QWebChannel;
class QWebEngineLoadingInfo;
class QWebEngineProfile;
class QWebEnginePage;
class QWebEngineView;

namespace lw {

class EditorPage;
class FindBar;
class KeyHookFilter;
class PageBridge;
class PagePreview;
class PageSource;
struct SaveResult;

class ChromiumEngine : public IHtmlEngine {
    Q_OBJECT

public:
    explicit ChromiumEngine(QWidget* parent = nullptr);
    ~ChromiumEngine() override;

    // Files this large are edited in pages whose renderer no smaller page shares, without spell
    // checking.
    static inline qint64 largePageBytes = 4 * 1024 * 1024;
    bool isLargePage() const override;

    QWidget* widget() const override;
    void navigate(const QString& urlOrPath) override;
    bool hasDocument() const override { return m_hasDocument; }
    QUrl url() const override;
    void setDesignMode(bool on) override;
    bool designMode() const override { return m_snapshot.designMode; }
    HRESULT initNew() override;
    HRESULT save(QIODevice& out) override;
    HRESULT isDirty() const override;
    SourceLoss sourceLoss() const override;
    HRESULT sourceText(PageSourceText& out) override;
    QByteArray encodeSource(const QString& text, QString* encoding = nullptr) const override;
    HRESULT loadSource(const QString& text, qsizetype caretOffset, bool changed) override;
    HRESULT queryStatus(quint32 cmd, quint32& flags) const override;
    HRESULT exec(quint32 cmd, const Variant* in, Variant* out) override;
    HRESULT print() override;
    HRESULT print(std::shared_ptr<QPrinter> printer) override;
    bool silent() const override { return m_silent; }
    void setSilent(bool silent) override { m_silent = silent; }
    QWidget* focusWindow() const override;
    void focus() override;

    // Whether saves write what the user did not change as the bytes it was loaded from (the
    // default), or serialise every page whole, as for a page that came from elsewhere.
    void setKeepsSource(bool keep) { m_keepsSource = keep; }

    // The latest state the page reported (for diagnostics and benchmarks).
    const EngineSnapshot& snapshot() const { return m_snapshot; }
    // The page, for callers that need Qt WebEngine itself (tests driving the page).
    QWebEnginePage* page() const;

    // The page layout printing and print preview use; page setup changes it.
    QPageLayout pageLayout() const;
    void setPageLayout(const QPageLayout& layout) { m_pageLayout = layout; }
    // The bar find shows over the page, made when it is first needed.
    FindBar* findBar();

    // The menu a right click in the page shows, built from the page's newest state; its
    // actions run engine commands.
    QMenu* createContextMenu(QWidget* parent);

    // The longest a save waits for the page before it gives up.
    static constexpr int kPageTimeoutMs = kSaveWaitSeconds * 1000;

private:
    // ChromiumEngine.cpp: loading, the page's reports, design mode, saving.
    // Shows a new page of the profile in the view, in place of the one before.
    void usePage(QWebEngineProfile* profile);
    void installEditingScript();
    void onLoadingChanged(const QWebEngineLoadingInfo& info);
    void onSnapshot(const EngineSnapshot& snapshot);
    bool onNavigationRequest(const QUrl& url);
    // Parses the bytes of a loaded file away from the user's thread and lays them over the page.
    void readSource(const QUrl& url);
    // The page's bytes and their parse no longer apply: another page comes.
    void forgetSource();
    void parseSource();
    void attachSource();
    // The page serialised as a save writes it; the dirty state is the caller's to change.
    SaveResult serializePage();
    // Runs a script in the editing world; the callback is dropped once the engine is gone.
    void runInPage(const QString& script, std::function<void(const QVariant&)> callback = {});
    // Whether the engine a callback was made for still exists.
    static bool isAlive(const std::weak_ptr<bool>& alive);
    // A load the host asked for starts: keys wait for its page, older answers no longer count.
    void startHostLoad();
    // Keys typed while a page loads are held and given to it once it is editable.
    bool holdKey(QKeyEvent* event);
    void releaseHeldKeys(bool deliver);

    // ChromiumEngineCommands.cpp: statuses and executes, the options, the clipboard and the
    // engine's dialogs.
    quint32 commandFlags(quint32 cmd) const;
    void runPageCommand(quint32 cmd, const QJsonValue& argument, bool restoreSelection);
    HRESULT setOption(quint32 cmd, const Variant& value);
    void pushOptions();
    bool clipboardHolds(quint32 cmd) const;
    HRESULT pasteFromClipboard(quint32 cmd);
    QString addressForPage(const QString& pathOrAddress) const;
    QWidget* dialogParent() const;
    HRESULT askHyperlink();
    HRESULT askImage();
    HRESULT askObject();
    HRESULT askFont();

    // ChromiumEngineContextMenu.cpp: the page's context menu and the dialogs it opens.
    void showContextMenu(const QPoint& position);
    HRESULT askProperties(quint32 cmd);

    // ChromiumEngineSpelling.cpp: the languages the page is checked in, and the user's words.
    void followLanguages(const EngineSnapshot& snapshot, bool newDocument);
    void readPageLanguages();
    void addToDictionary(const QString& word);

    // ChromiumEnginePrinting.cpp: the print, print preview and page setup commands.
    std::shared_ptr<QPrinter> makePrinter() const;
    HRESULT printCommand();
    HRESULT printPreviewCommand();
    HRESULT pageSetupCommand();

    QPointer<QWebEngineView> m_view;
    QPointer<EditorPage> m_page;
    QWebChannel* m_channel = nullptr;
    PageBridge* m_bridge = nullptr;
    EngineSnapshot m_snapshot;
    // The document the change counts belong to, and the counts: the highest seen and the one
    // last written to a file (or loaded).
    QString m_documentId;
    QString m_documentIdAtLoadStart;
    quint64 m_knownChanges = 0;
    quint64 m_savedChanges = 0;
    bool m_hasDocument = false;
    // The page shown is the empty page a new document starts from (whatever address it has),
    // and it is still loading.
    bool m_blankPage = false;
    bool m_blankLoading = false;
    static QUrl blankPageUrl() { return QUrl(QStringLiteral("about:blank")); }
    bool m_silent = false;
    bool m_waiting = false;
    // The editing options the host asked for; every page the engine shows gets them.
    QHash<quint32, bool> m_options;
    // The bytes the shown file was loaded from, while they are being parsed and once they are;
    // a new load or a new document drops them (the generation tells a stale parse).
    struct PendingSource {
        QString path;
        QByteArray bytes;
        QString characterSet;
    };
    std::optional<PendingSource> m_pendingSource;
    // Markup the user wrote, loaded in place of the file: its bytes are the page's own.
    std::optional<QByteArray> m_contentBytes;
    // The encoding and byte-order mark of the markup last shown as text.
    QString m_shownEncoding;
    QByteArray m_shownByteOrderMark;
    // Where the caret goes once markup the user wrote is editable.
    std::optional<QList<int>> m_caretPath;
    // The input widget of the page last made editable has not been clicked yet.
    bool m_inputNeedsClick = false;
    // From a load's start until its page is editable; the keys typed meanwhile, in order.
    bool m_holdingKeys = false;
    // Counts the loads the host asked for, so that an answer of a page since replaced is known as such.
    quint64 m_loadGeneration = 0;
    std::vector<std::unique_ptr<QKeyEvent>> m_heldKeys;
    // Markup the user wrote differs from the file until the next save.
    bool m_changedBySource = false;
    // The shown file's bytes as read for the parse, which follows their read.
    std::optional<QFuture<std::optional<QByteArray>>> m_sourceBytes;
    std::optional<QFuture<std::shared_ptr<const PageSource>>> m_sourceParse;
    std::shared_ptr<const PageSource> m_source;
    QString m_sourceDocumentId;
    quint64 m_sourceGeneration = 0;
    bool m_sourceAttached = false;
    bool m_keepsSource = true;
    std::optional<QPageLayout> m_pageLayout;
    QPointer<FindBar> m_findBar;
    std::shared_ptr<PagePreview> m_pendingPreview;
    // Whether the clipboard holds something to paste (any, and text); unknown until asked.
    mutable std::optional<bool> m_clipboardHasContent;
    mutable std::optional<bool> m_clipboardHasText;
    // The page's own language as last seen, and the change count its languages were read at.
    QString m_pageLanguage;
    quint64 m_languagesChangeCount = 0;
    bool m_languagesReadDue = false;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

// The engine a new editing view hosts on this platform.
std::unique_ptr<IHtmlEngine> createChromiumEngine(QWidget* parent);

} // namespace lw
