#include "framework/ui/MDIChildWndEx.h"

#include "framework/core/Document.h"
#include "framework/core/Resources.h"
#include "framework/ui/MDIClientAreaWnd.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/WidgetView.h"

#include <QTimer>
#include <QVBoxLayout>

namespace lw {

CChildWidget::CChildWidget(CMDIChildWndEx* owner) : m_owner(owner) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
}

void CChildWidget::setWidget(QWidget* widget) {
    if (m_view == widget)
        return;
    if (m_view) {
        layout()->removeWidget(m_view);
        m_view->setParent(nullptr);
    }
    m_view = widget;
    if (widget) {
        layout()->addWidget(widget);
        setFocusProxy(widget);
    } else {
        setFocusProxy(nullptr);
    }
}

CMDIChildWndEx::~CMDIChildWndEx() {
    if (m_widget) {
        m_widget->detach();
        delete m_widget;
    }
}

BOOL CMDIChildWndEx::LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) {
    auto* main = dynamic_cast<CMDIFrameWndEx*>(pParentWnd);
    m_widget = new CChildWidget(this);
    const QString iconPath = CResourceTables::instance().iconPath(nIDResource);
    if (!iconPath.isEmpty())
        m_widget->setWindowIcon(QIcon(iconPath));
    if (!CMDIChildWnd::LoadFrame(nIDResource, pParentWnd, pContext))
        return FALSE;
    for (CView* view : Views()) {
        if (auto* widgetView = dynamic_cast<CWidgetView*>(view); widgetView && widgetView->GetWidget()) {
            m_widget->setWidget(widgetView->GetWidget());
            break;
        }
    }
    if (main && main->GetClientArea())
        main->GetClientArea()->AddChild(m_widget);
    return TRUE;
}

void CMDIChildWndEx::ActivateFrame(int nCmdShow) {
    if (m_widget)
        if (CMDIClientAreaWnd* area = GetClientArea())
            area->Activate(m_widget);
    CMDIChildWnd::ActivateFrame(nCmdShow);
    if (CView* view = GetActiveView())
        if (auto* widgetView = dynamic_cast<CWidgetView*>(view))
            widgetView->OnActivateView();
    // A document brought forward tells about changes other programs made to its file,
    // once the activation itself is done.
    if (m_widget)
        QTimer::singleShot(0, m_widget, [widget = m_widget] {
            // The window may have closed meanwhile: its widget no longer has an owner then.
            CMDIChildWndEx* self = widget ? widget->owner() : nullptr;
            CMDIFrameWnd* frame = self ? self->GetMDIFrame() : nullptr;
            if (self && frame && frame->MDIGetActive() == self)
                if (CDocument* doc = self->GetActiveDocument())
                    doc->CheckFileOnDisk();
        });
}

CMDIClientAreaWnd* CMDIChildWndEx::GetClientArea() const {
    auto* main = dynamic_cast<CMDIFrameWndEx*>(m_pMDIFrame);
    return main ? main->GetClientArea() : nullptr;
}

void CMDIChildWndEx::SetWindowText(const QString& text) {
    CMDIChildWnd::SetWindowText(text);
    if (m_widget)
        m_widget->setWindowTitle(text);
}

void CMDIChildWndEx::OnClose() {
    CDocument* doc = GetActiveDocument();
    if (doc && doc->Frames().size() <= 1) {
        if (!doc->SaveModified())
            return;
        doc->OnCloseDocument();
        return;
    }
    DestroyWindow();
}

void CMDIChildWndEx::OnDestroy() {
    QPointer<CChildWidget> widget = m_widget;
    if (widget) {
        // The view's widget goes with its view; the sub-window must not delete it too.
        widget->setWidget(nullptr);
    }
    CMDIChildWnd::OnDestroy();
    if (widget) {
        widget->detach();
        if (CMDIClientAreaWnd* area = GetClientArea())
            area->RemoveChild(widget);
        widget->hide();
        widget->deleteLater();
    }
    m_widget = nullptr;
}

} // namespace lw
