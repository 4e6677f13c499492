#pragma once
// A view shown by a widget of its own, which the child frame puts in its window.

#include "framework/core/View.h"

#include <QPointer>
#include <QWidget>

namespace lw {

class CWidgetView : public CView {
public:
    ~CWidgetView() override;

    BOOL Create(CCreateContext* pContext) override;
    QWidget* GetWidget() const { return m_widget; }
    // The view's frame became active: the keyboard focus goes to the view.
    virtual void OnActivateView();

protected:
    // Makes the view's widget; nullptr refuses the view's creation.
    virtual QWidget* CreateViewWidget() = 0;
    void OnDestroy() override;

private:
    QPointer<QWidget> m_widget;
};

} // namespace lw
