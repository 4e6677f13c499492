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
    delete m_widget;
}

} // namespace lw
