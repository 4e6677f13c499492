#include "editor/LoomwriteView.h"

#include "editor/LoomwriteDoc.h"
#include "framework/core/WinApp.h"

#include <QKeyEvent>

namespace lw {

BEGIN_EMPTY_MESSAGE_MAP(CLoomwriteView, CHtmlEditView)

CLoomwriteDoc* CLoomwriteView::GetDocument() const { return dynamic_cast<CLoomwriteDoc*>(CView::GetDocument()); }

void CLoomwriteView::OnEngineDocumentComplete(const QString&) {
    if (IHtmlEngine* engine = GetEngine())
        engine->setDesignMode(true);
    // The second completion follows the switch into design mode: the page is editable.
    if (m_documentCompleteCount == 1)
        ApplyEditorOptions();
    ++m_documentCompleteCount;
}

void CLoomwriteView::OnEngineBeforeNavigate(const QUrl&, bool* cancel) {
    // Once a page is loaded and editable nothing may navigate it away.
    if (cancel)
        *cancel = m_documentCompleteCount >= 2;
}

bool CLoomwriteView::OnEngineAccelerator(QKeyEvent* event) {
    // Key presses (not typed characters) of a letter or digit with Control held are
    // refused to the engine, so its own shortcuts never run; the accelerator table
    // has already had its chance.
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const int key = event->key();
    const bool letterOrDigit = (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
    return letterOrDigit && (event->modifiers() & Qt::ControlModifier);
}

void CLoomwriteView::ApplyEditorOptions() {
    IHtmlEngine* engine = GetEngine();
    CWinApp* app = AfxGetApp();
    if (!engine || !app)
        return;
    engine->setSilent(app->GetInt(QStringLiteral("Silent"), 0) != 0);
}

} // namespace lw
