#pragma once
// A document window inside the main frame's document area: a tab of a tab group, or an
// overlapping window with a caption, a close button and a sizing border, holding its
// view's widget.

#include "framework/core/FrameWnd.h"

#include <QPointer>
#include <QWidget>

namespace lw {

class CMDIChildWndEx;
class CMDIClientAreaWnd;

// The document window's contents; the document area puts it in a tab or a caption window.
class CChildWidget : public QWidget {
public:
    explicit CChildWidget(CMDIChildWndEx* owner);
    CMDIChildWndEx* owner() const { return m_owner; }
    void detach() { m_owner = nullptr; }
    // Shows the view's widget; nullptr takes it out without deleting it.
    void setWidget(QWidget* widget);
    QWidget* widget() const { return m_view; }

private:
    CMDIChildWndEx* m_owner;
    QPointer<QWidget> m_view;
};

class CMDIChildWndEx : public CMDIChildWnd {
public:
    ~CMDIChildWndEx() override;

    BOOL LoadFrame(UINT nIDResource, CWnd* pParentWnd, CCreateContext* pContext) override;
    void ActivateFrame(int nCmdShow = -1) override;
    void SetWindowText(const QString& text) override;
    // The close box: the last window of a modified document asks about saving first.
    void OnClose() override;

    CChildWidget* GetWidget() const { return m_widget; }
    // The main frame's document area this window lives in.
    CMDIClientAreaWnd* GetClientArea() const;
    static CMDIChildWndEx* FromWidget(CChildWidget* widget) { return widget ? widget->owner() : nullptr; }

protected:
    void OnDestroy() override;

private:
    QPointer<CChildWidget> m_widget;
};

} // namespace lw
