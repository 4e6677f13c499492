#include "framework/ui/MDIChildWndEx.h"

#include "framework/core/Document.h"
#include "framework/core/Resources.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/WidgetView.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QTimer>
#include <algorithm>

namespace lw {

CChildWidget::CChildWidget(CMDIChildWndEx* owner) : m_owner(owner) { setAttribute(Qt::WA_DeleteOnClose, false); }

void CChildWidget::closeEvent(QCloseEvent* event) {
    // The frame decides whether the document window may close.
    event->ignore();
    if (m_owner)
        QTimer::singleShot(0, this, [owner = m_owner] { owner->OnClose(); });
}

CMDIChildWndEx::~CMDIChildWndEx() {
    if (m_widget) {
        m_widget->detach();
        delete m_widget;
    }
}

CMDIChildWndEx* CMDIChildWndEx::FromSubWindow(QMdiSubWindow* sub) {
    auto* child = dynamic_cast<CChildWidget*>(sub);
    return child ? child->owner() : nullptr;
}

Qt::WindowFlags CMDIChildWndEx::ChildWindowFlags() const {
    return Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowCloseButtonHint;
}

BOOL CMDIChildWndEx::LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) {
    auto* main = dynamic_cast<CMDIFrameWndEx*>(pParentWnd);
    m_widget = new CChildWidget(this);
    m_widget->setWindowFlags(ChildWindowFlags());
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
    if (main && main->GetMdiArea()) {
        QMdiArea* area = main->GetMdiArea();
        area->addSubWindow(m_widget);
        // New windows cascade from the top left and take most of the document area.
        const QSize viewport = area->viewport()->size();
        const QSize size(std::max(480, viewport.width() * 3 / 4), std::max(360, viewport.height() * 3 / 4));
        const int step = 28 * (static_cast<int>(area->subWindowList().size() - 1) % 8);
        m_widget->setGeometry(step, step, size.width(), size.height());
    }
    return TRUE;
}

void CMDIChildWndEx::ActivateFrame(int nCmdShow) {
    if (m_widget) {
        // Created normal, never maximised.
        if (!m_widget->isVisible())
            m_widget->showNormal();
        if (QMdiArea* area = m_widget->mdiArea())
            area->setActiveSubWindow(m_widget);
    }
    CMDIChildWnd::ActivateFrame(nCmdShow);
    if (CView* view = GetActiveView())
        if (auto* widgetView = dynamic_cast<CWidgetView*>(view))
            widgetView->OnActivateView();
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
        if (QMdiArea* area = widget->mdiArea())
            area->removeSubWindow(widget);
        widget->hide();
        widget->deleteLater();
    }
    m_widget = nullptr;
}

} // namespace lw
