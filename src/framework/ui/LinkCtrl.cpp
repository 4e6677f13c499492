#include "framework/ui/LinkCtrl.h"

#include <QKeyEvent>
#include <QRegularExpression>

namespace lw {

CLinkCtrl::CLinkCtrl(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setFocusPolicy(Qt::StrongFocus);
    // The label itself never opens anything: the parent decides what an activation does.
    setOpenExternalLinks(false);
    connect(this, &QLabel::linkActivated, this, [this](const QString&) { notify(NM_CLICK); });
}

BOOL CLinkCtrl::Create(const QString& markup, CWnd* parentWnd, UINT id) {
    setText(markup);
    SetParent(parentWnd);
    SetDlgCtrlID(id);
    return TRUE;
}

QString CLinkCtrl::GetUrl() const {
    static const QRegularExpression href(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""));
    return href.match(text()).captured(1);
}

void CLinkCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // Taken here, so the dialog's default button does not see it.
        event->accept();
        notify(NM_RETURN);
        return;
    }
    QLabel::keyPressEvent(event);
}

void CLinkCtrl::notify(int code) {
    NMLINK link;
    link.hdr.hwndFrom = this;
    link.hdr.idFrom = GetDlgCtrlID();
    link.hdr.code = code;
    link.item.szUrl = GetUrl();
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_NOTIFY, link.hdr.idFrom, reinterpret_cast<LPARAM>(&link.hdr));
}

} // namespace lw
