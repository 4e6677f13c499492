// The editing view's source side: the page's markup as text in place of its design, the
// switch between the two, saving from the text, and the text commands while it shows.

#include "editor/LoomwriteView.h"

#include "framework/core/CmdUI.h"
#include "framework/core/Document.h"
#include "framework/core/FrameworkIds.h"
#include "framework/core/UserPrompts.h"
#include "resources/CommandIds.h"

#include <QIODevice>
#include <QLineEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>

namespace lw {

namespace {

// The editor's text has plain line ends; a page written with CR LF gets them back.
QString withLineEnds(QString text, bool crlf) {
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    if (crlf)
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text;
}

// Offsets in the page's text and in the editor differ by the CRs the editor does not hold.
qsizetype toEditorOffset(const QString& text, qsizetype offset, bool crlf) {
    if (!crlf || offset <= 0)
        return offset;
    return offset - text.left(offset).count(QLatin1String("\r\n"));
}

qsizetype toTextOffset(const QString& editorText, qsizetype offset, bool crlf) {
    if (!crlf || offset <= 0)
        return offset;
    return offset + editorText.left(offset).count(QChar::ParagraphSeparator);
}

} // namespace

QWidget* CLoomwriteView::CreateViewWidget() {
    QWidget* host = CHtmlEditView::CreateViewWidget();
    auto* layout = host ? qobject_cast<QVBoxLayout*>(host->layout()) : nullptr;
    if (!layout)
        return host;
    layout->setSpacing(0);
    m_sourceEditor = new SourceEditor(host);
    m_sourceEditor->hide();
    layout->addWidget(m_sourceEditor, 1);
    m_modeBar = new SourceModeBar(host);
    layout->addWidget(m_modeBar);
    if (IHtmlEngine* engine = GetEngine())
        layout->setStretchFactor(engine->widget(), 1);
    QObject::connect(m_modeBar, &SourceModeBar::modeRequested, host,
                     [this](bool source) { source ? ShowSource() : ShowDesign(); });
    QObject::connect(m_modeBar, &SourceModeBar::findRequested, host,
                     [this](const QString& text, bool backwards) { findInSource(text, backwards); });
    return host;
}

QString CLoomwriteView::SourceText() const {
    return m_sourceEditor ? withLineEnds(m_sourceEditor->document()->toRawText(), m_sourceCrlf) : QString();
}

bool CLoomwriteView::SourceChanged() const {
    // Line ends the editor cannot hold (a page mixing CR LF and LF, a lone CR) differ in the
    // text without anyone typing: only an edit counts.
    return m_sourceEditor && m_sourceEditor->document()->isUndoAvailable() && SourceText() != m_designSource;
}

bool CLoomwriteView::ShowSource() {
    if (m_sourceShown)
        return true;
    IHtmlEngine* engine = GetEngine();
    if (!m_sourceEditor || !engine)
        return false;
    PageSourceText source;
    const HRESULT hr = engine->sourceText(source);
    if (hr != S_OK) {
        m_modeBar->showMode(false);
        AfxMessageBox(hr == E_TIMEOUT ? QStringLiteral("The page's source could not be made within %1 s.")
                                            .arg(IHtmlEngine::kSaveWaitSeconds)
                                      : QStringLiteral("The page's source can be shown once the page has loaded."),
                      MB_OK | MB_ICONINFORMATION);
        return false;
    }
    m_designChanged = engine->isDirty() != S_FALSE;
    m_designSource = source.text;
    m_sourceCrlf = source.text.contains(QLatin1String("\r\n"));
    QString shown = source.text;
    if (m_sourceCrlf)
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    m_sourceEditor->setPlainText(shown);
    if (source.selectionStart >= 0) {
        QTextCursor cursor(m_sourceEditor->document());
        cursor.setPosition(int(toEditorOffset(source.text, source.selectionStart, m_sourceCrlf)));
        if (source.selectionEnd > source.selectionStart)
            cursor.setPosition(int(toEditorOffset(source.text, source.selectionEnd, m_sourceCrlf)),
                               QTextCursor::KeepAnchor);
        m_sourceEditor->setTextCursor(cursor);
    }
    m_sourceShown = true;
    engine->widget()->hide();
    m_sourceEditor->show();
    m_sourceEditor->centerCursor();
    m_modeBar->showMode(true);
    if (QWidget* host = GetWidget())
        host->setFocusProxy(m_sourceEditor);
    m_sourceEditor->setFocus(Qt::OtherFocusReason);
    return true;
}

bool CLoomwriteView::ShowDesign() {
    if (!m_sourceShown)
        return true;
    IHtmlEngine* engine = GetEngine();
    if (!engine || !m_sourceEditor)
        return false;
    const QString text = SourceText();
    if (SourceChanged()) {
        const qsizetype caret = toTextOffset(m_sourceEditor->document()->toRawText(),
                                             m_sourceEditor->textCursor().position(), m_sourceCrlf);
        const bool changed = IsPageModified();
        const int completions = std::exchange(m_documentCompleteCount, 0);
        const HRESULT hr = engine->loadSource(text, caret, changed);
        if (hr != S_OK) {
            m_documentCompleteCount = completions;
            m_modeBar->showMode(true);
            CDocument* doc = CView::GetDocument();
            // Markup too large to hand to the engine directly is shown from its file.
            if (hr == E_FAIL && doc &&
                AfxMessageBox(QStringLiteral("This source is too large to show in Design before it is saved. "
                                             "Save it now and show the saved page?"),
                              MB_YESNO | MB_ICONQUESTION) == IDYES &&
                doc->DoFileSave()) {
                showDesignWidgets();
                doc->ReloadFromDisk();
                return true;
            }
            if (hr != E_FAIL)
                AfxMessageBox(QStringLiteral("The source cannot be shown in Design now."), MB_OK | MB_ICONERROR);
            m_sourceEditor->setFocus(Qt::OtherFocusReason);
            return false;
        }
        m_designSource = text;
        m_designChanged = changed;
        m_sourceEditor->document()->setModified(false);
        // The text stays, unchangeable, until the new page is editable: a page shown while it
        // loads would not take the keyboard.
        m_sourceEditor->setReadOnly(true);
        m_designPending = true;
        m_modeBar->showMode(false);
        return true;
    }
    showDesignWidgets();
    FocusEngineWindow();
    return true;
}

void CLoomwriteView::showDesignWidgets() {
    IHtmlEngine* engine = GetEngine();
    m_designPending = false;
    m_sourceShown = false;
    m_sourceEditor->setReadOnly(false);
    m_sourceEditor->hide();
    engine->widget()->show();
    m_modeBar->showMode(false);
    if (QWidget* host = GetWidget())
        host->setFocusProxy(engine->focusWindow());
}

HRESULT CLoomwriteView::WritePage(QIODevice& out) {
    IHtmlEngine* engine = GetEngine();
    if (!m_sourceShown || !engine)
        return CHtmlEditView::WritePage(out);
    // Text nobody changed is the page as a save writes it: the engine writes it, and forgets
    // its changes.
    if (!SourceChanged())
        return CHtmlEditView::WritePage(out);
    const QString text = SourceText();
    const QByteArray bytes = engine->encodeSource(text);
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = out.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return E_FAIL;
        done += written;
    }
    return S_OK;
}

bool CLoomwriteView::IsPageModified() const {
    if (!m_sourceShown || !m_sourceEditor)
        return CHtmlEditView::IsPageModified();
    return m_designChanged || m_sourceEditor->document()->isModified();
}

void CLoomwriteView::OnPageSaved() {
    if (!m_sourceShown || !m_sourceEditor)
        return;
    m_designChanged = false;
    m_sourceEditor->document()->setModified(false);
}

void CLoomwriteView::OnActivateView() {
    if (m_sourceShown && m_sourceEditor)
        m_sourceEditor->setFocus(Qt::OtherFocusReason);
    else
        CHtmlEditView::OnActivateView();
}

BOOL CLoomwriteView::RouteEditingCommand(UINT nID, int nCode, CCmdUI* pCmdUI) {
    if (m_sourceShown && nCode >= CN_UPDATE_COMMAND_UI)
        return RouteSourceCommand(nID, nCode, pCmdUI);
    return CHtmlEditView::RouteEditingCommand(nID, nCode, pCmdUI);
}

BOOL CLoomwriteView::RouteSourceCommand(UINT nID, int nCode, CCmdUI* pCmdUI) {
    UINT hasHandler = 0;
    UINT kind = 0;
    const bool pageCommand = LookupEditingCommand(nID, hasHandler, kind) != 0xFFFFFFFFu ||
                             (nID >= ID_BLOCK_FORMAT_FIRST && nID <= ID_BLOCK_FORMAT_LAST) ||
                             nID == ID_BLOCK_FORMAT || nID == ID_FILE_PRINT_DIRECT;
    if (!pageCommand)
        return CHtmlEditView::RouteEditingCommand(nID, nCode, pCmdUI);
    SourceEditor* editor = m_sourceEditor;
    const bool selection = editor->textCursor().hasSelection();
    bool enabled = false;
    std::function<void()> run;
    if (nID == ID_EDIT_UNDO) {
        enabled = editor->document()->isUndoAvailable();
        run = [editor] { editor->undo(); };
    } else if (nID == ID_EDIT_REDO) {
        enabled = editor->document()->isRedoAvailable();
        run = [editor] { editor->redo(); };
    } else if (nID == ID_EDIT_CUT) {
        enabled = selection;
        run = [editor] { editor->cut(); };
    } else if (nID == ID_EDIT_COPY) {
        enabled = selection;
        run = [editor] { editor->copy(); };
    } else if (nID == ID_EDIT_CLEAR) {
        enabled = selection;
        run = [editor] { editor->textCursor().removeSelectedText(); };
    } else if (nID == ID_EDIT_PASTE || nID == ID_EDIT_PASTE_TEXT_ONLY) {
        enabled = editor->canPaste();
        run = [editor] { editor->paste(); };
    } else if (nID == ID_EDIT_SELECT_ALL) {
        enabled = true;
        run = [editor] { editor->selectAll(); };
    } else if (nID == ID_EDIT_FIND) {
        enabled = true;
        run = [this] { m_modeBar->startFind(); };
    }
    // Commands on the design (formats, inserts, printing) wait until it shows again.
    if (nCode == CN_UPDATE_COMMAND_UI) {
        if (pCmdUI) {
            pCmdUI->Enable(enabled);
            if (kind & 1)
                pCmdUI->SetCheck(0);
            else if (kind & 2)
                pCmdUI->SetRadio(0);
        }
        return TRUE;
    }
    if (enabled && run)
        run();
    return TRUE;
}

void CLoomwriteView::findInSource(const QString& text, bool backwards) {
    if (!m_sourceEditor || text.isEmpty())
        return;
    const QTextDocument::FindFlags flags = backwards ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    m_modeBar->findField()->setStyleSheet(QString());
    if (m_sourceEditor->find(text, flags))
        return;
    // Past the end (or the start) the search goes round once.
    QTextCursor from(m_sourceEditor->document());
    from.movePosition(backwards ? QTextCursor::End : QTextCursor::Start);
    const QTextCursor found = m_sourceEditor->document()->find(text, from, flags);
    if (found.isNull()) {
        m_modeBar->findField()->setStyleSheet(QStringLiteral("color: #c00000"));
        return;
    }
    m_sourceEditor->setTextCursor(found);
}

} // namespace lw
