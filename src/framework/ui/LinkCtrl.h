#pragma once
// The link control: text with one anchor (<a href="...">text</a>) drawn as a link. A
// click on the link, or Enter while the control has the focus, notifies the parent
// window (NM_CLICK or NM_RETURN) with the activated link's address.

#include "framework/core/Wnd.h"

#include <QLabel>

namespace lw {

inline constexpr int NM_CLICK = -2;
inline constexpr int NM_RETURN = -4;

struct LITEM {
    int iLink = 0;
    QString szID;
    QString szUrl;
};

// The notification a link control sends.
struct NMLINK {
    NMHDR hdr;
    LITEM item;
};

class CLinkCtrl : public QLabel, public CWnd {
public:
    explicit CLinkCtrl(QWidget* parent = nullptr);
    // Attaches the control to the window its notifications go to, under a control ID.
    BOOL Create(const QString& markup, CWnd* parentWnd, UINT id);
    // The address of the control's first anchor.
    QString GetUrl() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Tab leaves the control: it holds one link, and QLabel would step through its anchors.
    bool focusNextPrevChild(bool next) override { return QWidget::focusNextPrevChild(next); }

private:
    void notify(int code);
};

} // namespace lw
