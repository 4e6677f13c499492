#include "framework/ui/ColorMenuButton.h"

#include "framework/ui/ColorDialog.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <algorithm>
#include <map>
#include <vector>

namespace lw {

namespace {

std::map<UINT, QColor>& colorsByCommand() {
    static std::map<UINT, QColor> colors;
    return colors;
}

std::vector<CMFCColorMenuButton*>& liveButtons() {
    static std::vector<CMFCColorMenuButton*> buttons;
    return buttons;
}

// The palette grid; a fresh one is made for the drop-down and for every torn-off copy.
class CColorPaletteAction : public QWidgetAction {
public:
    CColorPaletteAction(CMFCColorMenuButton* owner, QObject* parent)
        : QWidgetAction(parent), m_owner(owner) {}

protected:
    QWidget* createWidget(QWidget* parent) override {
        auto* panel = new QWidget(parent);
        auto* layout = new QVBoxLayout(panel);
        layout->setContentsMargins(4, 4, 4, 4);
        auto* grid = new QGridLayout;
        grid->setSpacing(2);
        int n = 0;
        for (const QColor& c : CMFCColorDialog::StandardColors()) {
            auto* b = new QPushButton(panel);
            b->setFixedSize(16, 16);
            b->setFlat(true);
            b->setToolTip(c.name());
            b->setObjectName(QStringLiteral("swatch-%1").arg(c.name()));
            b->setStyleSheet(
                QStringLiteral("background-color: %1; border: 1px solid #808080;").arg(c.name()));
            QObject::connect(b, &QPushButton::clicked, panel, [this, c, panel] {
                // A drop-down closes once a colour is picked; a torn-off palette stays.
                if (auto* menu = qobject_cast<QMenu*>(panel->parentWidget());
                    menu && !menu->isTearOffMenuVisible())
                    menu->close();
                m_owner->OnColorChosen(c);
            });
            grid->addWidget(b, n / 8, n % 8);
            ++n;
        }
        layout->addLayout(grid);
        if (!m_owner->GetOtherLabel().isEmpty()) {
            auto* other = new QPushButton(m_owner->GetOtherLabel(), panel);
            other->setObjectName(QStringLiteral("other"));
            QObject::connect(other, &QPushButton::clicked, panel, [this, panel] {
                if (auto* menu = qobject_cast<QMenu*>(panel->parentWidget()))
                    menu->close();
                m_owner->OnOther();
            });
            layout->addWidget(other);
        }
        return panel;
    }

private:
    CMFCColorMenuButton* m_owner;
};

} // namespace

CMFCColorMenuButton::CMFCColorMenuButton(UINT id, const QString& text, const QIcon& image)
    : CMFCToolBarControl(id), m_strText(text), m_image(image) {
    setToolTip(text);
    setPopupMode(QToolButton::MenuButtonPopup);
    setAutoRaise(true);
    m_menu = new QMenu(text, this);
    m_menu->addAction(new CColorPaletteAction(this, m_menu));
    setMenu(m_menu);
    QObject::connect(this, &QToolButton::clicked, this, [this] { SendCommand(); });
    liveButtons().push_back(this);
    const QColor recorded = GetColorByCmdID(id);
    m_color = recorded.isValid() ? recorded : QColor(Qt::black);
    refreshIcon();
}

CMFCColorMenuButton::~CMFCColorMenuButton() {
    auto& buttons = liveButtons();
    buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void CMFCColorMenuButton::EnableOtherButton(const QString& label) {
    m_strOther = label;
    // The palette widgets are made on demand; a new action makes them again with the entry.
    m_menu->clear();
    m_menu->addAction(new CColorPaletteAction(this, m_menu));
}

void CMFCColorMenuButton::SetTearOff(UINT barId) {
    m_nTearOffID = barId >= s_nTearOffMenuFirst && barId <= s_nTearOffMenuLast ? 0 : barId;
    m_menu->setTearOffEnabled(m_nTearOffID != 0);
}

quint32 CMFCColorMenuButton::GetColorRef() const {
    return quint32(m_color.red()) | (quint32(m_color.green()) << 8) | (quint32(m_color.blue()) << 16);
}

void CMFCColorMenuButton::SetColor(const QColor& color, BOOL bNotify) {
    if (bNotify) {
        SetColorByCmdID(GetCommandID(), color);
        return;
    }
    m_color = color;
    refreshIcon();
}

QColor CMFCColorMenuButton::GetColorByCmdID(UINT id) {
    const auto it = colorsByCommand().find(id);
    return it == colorsByCommand().end() ? QColor() : it->second;
}

void CMFCColorMenuButton::SetColorByCmdID(UINT id, const QColor& color) {
    colorsByCommand()[id] = color;
    for (CMFCColorMenuButton* b : liveButtons())
        if (b->GetCommandID() == id)
            b->SetColor(color, FALSE);
}

std::vector<CMFCColorMenuButton::TornOffPalette> CMFCColorMenuButton::TornOffPalettes() {
    std::vector<TornOffPalette> palettes;
    for (CMFCColorMenuButton* b : liveButtons()) {
        // Buttons taken off their bars wait for deletion; they count no more.
        if (!b->m_nTearOffID || !b->TopLevelFrame() || !b->m_menu->isTearOffMenuVisible())
            continue;
        const bool known = std::any_of(palettes.begin(), palettes.end(),
                                       [b](const TornOffPalette& p) { return p.id == b->m_nTearOffID; });
        if (known)
            continue;
        // Qt makes the torn-off copy a top-level sibling of the menu, under the button.
        for (QMenu* torn : b->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            if (torn != b->m_menu && torn->isWindow() && torn->isVisible())
                palettes.push_back({b->m_nTearOffID, b->m_menu->title(), torn->geometry()});
    }
    return palettes;
}

bool CMFCColorMenuButton::ShowTornOffPalette(UINT tearOffId, const QRect& geometry) {
    for (CMFCColorMenuButton* b : liveButtons()) {
        if (tearOffId == 0 || b->m_nTearOffID != tearOffId || !b->TopLevelFrame())
            continue;
        b->m_menu->showTearOffMenu(geometry.topLeft());
        return true;
    }
    return false;
}

void CMFCColorMenuButton::OnColorChosen(const QColor& color) {
    SetColor(color, TRUE);
    SendCommand();
}

void CMFCColorMenuButton::OnOther() {
    CMFCColorDialog dialog(m_color, window());
    if (dialog.exec() == QDialog::Accepted)
        OnColorChosen(dialog.GetColor());
}

void CMFCColorMenuButton::refreshIcon() {
    // The command's picture with the colour as a bar along its bottom edge.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (!m_image.isNull())
        m_image.paint(&p, QRect(0, 0, 16, 16));
    p.fillRect(QRect(0, 12, 16, 4), m_color);
    p.end();
    setIcon(QIcon(pixmap));
}

} // namespace lw
