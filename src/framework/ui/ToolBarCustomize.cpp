// The parts of a toolbar the user customises: buttons dropped from the Customize dialog
// or other bars, a bar floated where it is made, text labels, and each button's look.

#include "framework/core/FrameWnd.h"
#include "framework/core/Resources.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarStrip.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QToolButton>
#include <QtDebug>

namespace lw {

BOOL CMFCToolBar::DropCommand(UINT id, const QPoint& globalPos) {
    if (id == 0)
        return FALSE;
    for (QWidget* w = QApplication::widgetAt(globalPos); w; w = w->parentWidget()) {
        if (auto* bar = dynamic_cast<CMFCToolBar*>(w)) {
            bar->InsertButton(id, bar->DropIndexAt(bar->mapFromGlobal(globalPos)));
            bar->notifyContentsChanged();
            return TRUE;
        }
        if (auto* menuBar = dynamic_cast<CMFCMenuBar*>(w)) {
            menuBar->InsertUserCommand(menuBar->DropIndexAt(menuBar->mapFromGlobal(globalPos)), id);
            return TRUE;
        }
    }
    return FALSE;
}

void CMFCToolBar::notifyContentsChanged() {
    if (auto* frame = dynamic_cast<CMDIFrameWndEx*>(topLevelFrame()))
        frame->OnToolbarContentsChanged(this);
}

void CMFCToolBar::FloatAt(const QPoint& globalPos) {
    // As Qt floats a bar it restores: a frameless tool window, which the main window's
    // layout then leaves out.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    move(globalPos);
    show();
    onTopLevelChanged(true);
    // A new bar keeps its buttons in one row, growing as they are added.
    m_strip->SetWrapWidth(-1);
    fitFloating();
}

void CMFCToolBar::SetTextLabels(bool on) {
    m_bTextLabels = on;
    setToolButtonStyle(on ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    for (int i = 0; i < GetCount(); ++i)
        applyButtonLook(i);
}

void CMFCToolBar::SetButtonLook(int index, ButtonLook look, int userImage) {
    if (index < 0 || index >= GetCount() || m_items[size_t(index)].id == 0 || m_items[size_t(index)].control)
        return;
    Item& item = m_items[size_t(index)];
    item.look = look;
    item.userImage = userImage >= 0 && s_pUserImages && userImage < s_pUserImages->count() ? userImage : -1;
    applyButtonLook(index);
}

CMFCToolBar::ButtonLook CMFCToolBar::GetButtonLook(int index) const {
    return index >= 0 && index < GetCount() ? m_items[size_t(index)].look : ButtonLook::Default;
}

int CMFCToolBar::GetButtonUserImage(int index) const {
    return index >= 0 && index < GetCount() ? m_items[size_t(index)].userImage : -1;
}

void CMFCToolBar::applyButtonLook(int index) {
    const Item& item = m_items[size_t(index)];
    auto* button = qobject_cast<QToolButton*>(m_strip->WidgetAt(index));
    if (!button || item.control || item.id == 0)
        return;
    // The bar's own style no longer reaches a button that has a look of its own.
    QObject::disconnect(this, &QToolBar::toolButtonStyleChanged, button, nullptr);
    Qt::ToolButtonStyle style = toolButtonStyle();
    switch (item.look) {
    case ButtonLook::Image:
        style = Qt::ToolButtonIconOnly;
        break;
    case ButtonLook::Text:
        style = Qt::ToolButtonTextOnly;
        break;
    case ButtonLook::ImageAndText:
        style = Qt::ToolButtonTextBesideIcon;
        break;
    case ButtonLook::Default:
        break;
    }
    button->setToolButtonStyle(style);
    if (item.userImage >= 0 && s_pUserImages && item.userImage < s_pUserImages->count())
        item.action->setIcon(s_pUserImages->icon(item.userImage));
    else
        item.action->setIcon(buttonIcon(item.id));
}

QByteArray CMFCToolBar::SaveButtonLooks() const {
    QByteArray bytes;
    for (const Item& item : m_items) {
        const quint16 image = item.userImage >= 0 ? quint16(item.userImage) : 0xFFFF;
        bytes.append(char(item.look));
        bytes.append(char(image & 0xFF));
        bytes.append(char(image >> 8));
    }
    return bytes;
}

void CMFCToolBar::LoadButtonLooks(const QByteArray& bytes) {
    // Looks belong to the buttons they were stored with: another list keeps the defaults.
    if (bytes.size() != qsizetype(m_items.size()) * 3) {
        if (!bytes.isEmpty())
            qWarning("Toolbar %u: stored button looks do not match its buttons and are dropped",
                     GetDlgCtrlID());
        return;
    }
    for (int i = 0; i < GetCount(); ++i) {
        const quint8 look = quint8(bytes[i * 3]);
        const quint16 image = quint16(quint8(bytes[i * 3 + 1]) | (quint8(bytes[i * 3 + 2]) << 8));
        if (look > quint8(ButtonLook::ImageAndText))
            continue;
        SetButtonLook(i, ButtonLook(look), image == 0xFFFF ? -1 : int(image));
    }
}

QMenu* CMFCToolBar::BuildAppearanceMenu(int index, QWidget* parent) {
    auto* menu = new QMenu(parent);
    const UINT id = GetItemID(index);
    auto* group = new QActionGroup(menu);
    const std::pair<const char*, ButtonLook> looks[] = {{"&Image", ButtonLook::Image},
                                                        {"&Text", ButtonLook::Text},
                                                        {"Image &and Text", ButtonLook::ImageAndText}};
    QPointer<CMFCToolBar> self(this);
    // The button is found again by its command: the bar may have changed meanwhile.
    auto indexNow = [self, id, index] { return self && self->GetItemID(index) == id ? index : -1; };
    for (const auto& [text, look] : looks) {
        QAction* a = menu->addAction(QString::fromLatin1(text));
        a->setCheckable(true);
        a->setChecked(GetButtonLook(index) == look || (GetButtonLook(index) == ButtonLook::Default &&
                                                       look == ButtonLook::Image && !m_bTextLabels));
        group->addAction(a);
        QObject::connect(a, &QAction::triggered, menu, [self, indexNow, look] {
            if (const int i = indexNow(); i >= 0)
                self->SetButtonLook(i, look, self->GetButtonUserImage(i));
        });
    }
    if (s_pUserImages && s_pUserImages->count() > 0) {
        menu->addSeparator();
        QMenu* images = menu->addMenu(QStringLiteral("&User Image"));
        QAction* own = images->addAction(QStringLiteral("&Default Image"));
        QObject::connect(own, &QAction::triggered, menu, [self, indexNow] {
            if (const int i = indexNow(); i >= 0)
                self->SetButtonLook(i, self->GetButtonLook(i), -1);
        });
        for (int n = 0; n < s_pUserImages->count(); ++n) {
            QAction* a = images->addAction(s_pUserImages->icon(n), QString::number(n + 1));
            QObject::connect(a, &QAction::triggered, menu, [self, indexNow, n] {
                if (const int i = indexNow(); i >= 0)
                    self->SetButtonLook(i, self->GetButtonLook(i), n);
            });
        }
    }
    menu->addSeparator();
    QObject::connect(menu->addAction(QStringLiteral("&Delete")), &QAction::triggered, menu, [self, indexNow] {
        if (const int i = indexNow(); i >= 0) {
            self->RemoveButton(i);
            self->notifyContentsChanged();
        }
    });
    return menu;
}

} // namespace lw
