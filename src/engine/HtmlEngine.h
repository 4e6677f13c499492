#pragma once
// The contract between an editing view and the HTML engine it hosts: loading, design mode,
// saving and the dirty state, command status and execution by engine command number, and
// the engine's notifications. The editor only ever sees this interface, so a scripted
// engine can stand in for the real one in tests.

#include "engine/EngineTypes.h"

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QIODevice;
class QKeyEvent;
class QPrinter;
class QWidget;

namespace lw {

class EngineDialogProvider;

// The page's markup as a save would write it, decoded, and where the selection lies in it.
struct PageSourceText {
    QString text;
    qsizetype selectionStart = -1;
    qsizetype selectionEnd = -1;
};

class IHtmlEngine : public QObject {
    Q_OBJECT

public:
    explicit IHtmlEngine(QObject* parent = nullptr) : QObject(parent) {}
    ~IHtmlEngine() override = default;

    // The window showing the page; the host places it and owns its geometry.
    virtual QWidget* widget() const = 0;

    // Starts loading a URL or a local path (relative paths are taken from the working
    // folder). Asynchronous: the load ends in documentComplete. The navigation is offered to
    // beforeNavigate first like every other one.
    virtual void navigate(const QString& urlOrPath) = 0;
    // True once a page has finished loading; the engine keeps one from then on.
    virtual bool hasDocument() const = 0;
    // The address of the current page, empty while there is none.
    virtual QUrl url() const = 0;

    // Makes the current page editable (or not). Switching it on raises documentComplete
    // again once the page is editable; switching it on while it is on raises nothing.
    virtual void setDesignMode(bool on) = 0;
    virtual bool designMode() const = 0;

    // Replaces the current page by an empty, clean one. E_UNEXPECTED without a page.
    virtual HRESULT initNew() = 0;
    // Writes the whole page into out in the page's own encoding (UTF-8 with its declaration
    // updated when a character does not fit). Waits for the page without handling user
    // input, at most kSaveWaitSeconds (E_TIMEOUT after that); S_OK clears the dirty state.
    virtual HRESULT save(QIODevice& out) = 0;
    static constexpr int kSaveWaitSeconds = 30;
    // The markup a save would write now, as text, and where the selection lies in it; the dirty
    // state is left alone. E_UNEXPECTED without a page, E_NOTIMPL where markup cannot be shown.
    virtual HRESULT sourceText(PageSourceText& out);
    // The bytes text is written as: the page's own encoding when every character fits, else
    // UTF-8 (whose name goes to encoding).
    virtual QByteArray encodeSource(const QString& text, QString* encoding = nullptr) const;
    // Replaces the page by markup the user wrote, at the page's address, and keeps its bytes as
    // the page's own for saving; the caret goes near the element written at caretOffset once
    // the page is editable again. The page counts as changed until saved when changed is set.
    // Asynchronous like navigate; E_FAIL when the markup is too large to load this way.
    virtual HRESULT loadSource(const QString& text, qsizetype caretOffset, bool changed);
    // Asked by save() before it writes an edited page whose loaded bytes it cannot keep
    // beyond the edit (the page is written whole, or in another encoding); false cancels the
    // save, which then writes nothing and answers OLECMDERR_E_CANCELED. Unset, nothing is asked.
    std::function<bool(const SourceLoss&)> sourceLossHook;
    // The file save() writes to when it writes the document's own file (empty for a copy):
    // a page without a file of its own (a new one) then writes the local files it shows
    // relative to that file's folder, as a page loaded from a file refers to them.
    QString saveFilePath;
    // What an edited save of the loaded page will not keep of its bytes, known once they are
    // read (sourceRead); nothing for a page without a file of its own.
    virtual SourceLoss sourceLoss() const { return {}; }
    // The page is so large that it is edited without spell checking, in a process apart from
    // the smaller pages.
    virtual bool isLargePage() const { return false; }
    // S_OK when the page changed since it was loaded or saved, S_FALSE when clean,
    // E_UNEXPECTED without a page.
    virtual HRESULT isDirty() const = 0;

    // The status flags (OLECMDF_*) of one engine command; S_OK with flags 0 for a command the
    // engine does not know, E_UNEXPECTED with flags 0 without a page.
    virtual HRESULT queryStatus(quint32 cmd, quint32& flags) const = 0;
    // Runs an engine command. Reading a value: in null or VT_EMPTY and out given. Setting a
    // value or running an action: in holds the argument, if any. OLECMDERR_E_NOTSUPPORTED for
    // an unknown command, OLECMDERR_E_DISABLED when it is neither enabled nor latched. The
    // page carries commands out after exec returns; the next uiUpdate reports their effect.
    // A command that asks the user (print, page setup, print preview, and hyperlink, image
    // and object without an argument, font) returns S_OK once its dialog is asked for.
    virtual HRESULT exec(quint32 cmd, const Variant* in, Variant* out) = 0;

    // Prints a clean copy of the page (no editing aids) on the default printer with its
    // default options. E_UNEXPECTED without a page, E_FAIL without a printer or when the copy
    // cannot be made; the outcome of the print job itself arrives as printFinished.
    virtual HRESULT print() = 0;
    // The same on a printer the caller set up (a print dialog, a PDF file).
    virtual HRESULT print(std::shared_ptr<QPrinter> printer) = 0;

    // While silent the engine shows no dialogs of its own: a command that would ask the user
    // does nothing and answers OLECMDERR_E_CANCELED, and printing goes to the default printer.
    virtual bool silent() const = 0;
    virtual void setSilent(bool silent) = 0;

    // Shows the engine's own dialogs. Commands that need an answer return S_OK once the
    // dialog is asked for and act when it answers. Null puts the standard dialogs back.
    void setDialogProvider(std::shared_ptr<EngineDialogProvider> provider);
    EngineDialogProvider& dialogProvider() const;

    // The window that takes the keyboard for the page, while the engine's window exists. The
    // engine may replace it (a new renderer brings a new one), so ask anew each time.
    virtual QWidget* focusWindow() const = 0;
    virtual void focus() = 0;

    // Asked for every key press and release that reaches the page, before the engine acts
    // on it: true means the host handled the key and the engine ignores it.
    std::function<bool(QKeyEvent*)> acceleratorHook;

signals:
    // A page finished loading (also a page that failed to load and shows as empty), and
    // again when design mode has been switched on for it.
    void documentComplete(const QString& url);
    // Every navigation of the page or its frames (typed, link, form, redirect, reload, the
    // initial load) is offered here first; setting *cancel to true stops it. Only navigate()
    // and a frame's own load can go ahead: whatever the page starts itself (a link, a form, a
    // refresh, a reload, in the page or a frame) is stopped whatever the answer. Connect with a
    // direct connection only: the flag is read as soon as the signal returns.
    void beforeNavigate(const QUrl& url, bool* cancel);
    // The selection or the state of commands changed: statuses and values are new.
    void uiUpdate();
    // The bytes of the loaded file have been read: sourceLoss() now tells what an edit costs.
    void sourceRead();
    // A print job started by print() ended.
    void printFinished(bool ok);
    // The page is gone (its renderer crashed or ran out of memory) with any changes it had;
    // hasDocument() is false from then on, so nothing can be saved from it.
    void pageFailed(const QString& reason);

private:
    mutable std::shared_ptr<EngineDialogProvider> m_dialogs;
};

// Creates the engine a new editing view hosts; parent becomes the engine window's parent.
using HtmlEngineFactory = std::function<std::unique_ptr<IHtmlEngine>(QWidget* parent)>;

} // namespace lw
