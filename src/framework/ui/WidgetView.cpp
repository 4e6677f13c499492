#include "framework/ui/WidgetView.h"

namespace lw {

CWidgetView::~CWidgetView() { delete m_widget; }

BOOL CWidgetView::Create(CCreateContext* pContext) {
    m_widget = CreateViewWidget();
    if (!m_widget)
        return FALSE;
    return CView::Create(pContext);
}

void CWidgetView::OnActivateView() {
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
}

void CWidgetView::OnDestroy() {
    CView::OnDestroy();
    // An event of the widget itself may have started the close: delete it later.
    if (m_widget) {
        m_widget->hide();
        m_widget->setParent(nullptr);
        m_widget->deleteLater();
        m_widget = nullptr;
    }
}

} // namespace lw
