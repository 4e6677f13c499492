#pragma once
// A document window inside the main frame's document area: a sub-window with a
// caption, a close button and a sizing border, holding its view's widget.

#include "framework/core/FrameWnd.h"

#include <QMdiSubWindow>
#include <QPointer>

namespace lw {

class CMDIChildWndEx;

class CChildWidget : public QMdiSubWindow {
public:
    explicit CChildWidget(CMDIChildWndEx* owner);
    CMDIChildWndEx* owner() const { return m_owner; }
    void detach() { m_owner = nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CMDIChildWndEx* m_owner;
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
    static CMDIChildWndEx* FromSubWindow(QMdiSubWindow* sub);

protected:
    // The window flags of a new child frame: caption, close button and sizing border,
    // no minimise or maximise button.
    virtual Qt::WindowFlags ChildWindowFlags() const;
    void OnDestroy() override;

private:
    QPointer<CChildWidget> m_widget;
};

} // namespace lw
