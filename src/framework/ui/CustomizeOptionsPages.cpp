// The Menu and Options pages of the Customize dialog: the options every bar and menu
// shares, which persist with the bar layout, and the reset of the menu bar.

#include "framework/ui/CustomizePages.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarParameters.h"
#include "framework/ui/ToolBarsCustomizeDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw {

CCustomizeMenuPage::CCustomizeMenuPage(CMFCToolBarsCustomizeDialog* dialog)
    : QWidget(dialog), m_dialog(dialog) {
    auto* layout = new QVBoxLayout(this);
    auto* frameMenus = new QGroupBox(QStringLiteral("Application frame menus"), this);
    auto* frameLayout = new QVBoxLayout(frameMenus);
    auto* resetBar = new QPushButton(QStringLiteral("&Reset"), frameMenus);
    frameLayout->addWidget(
        new QLabel(QStringLiteral("Commands dragged onto the menu bar go when it is reset."), frameMenus));
    frameLayout->addWidget(resetBar, 0, Qt::AlignLeft);
    layout->addWidget(frameMenus);

    // The program registers no context menu of its own: the list stays empty.
    auto* contextMenus = new QGroupBox(QStringLiteral("Context menus"), this);
    auto* contextLayout = new QVBoxLayout(contextMenus);
    auto* contextBox = new QComboBox(contextMenus);
    auto* resetContext = new QPushButton(QStringLiteral("R&eset"), contextMenus);
    contextBox->setEnabled(false);
    resetContext->setEnabled(false);
    contextLayout->addWidget(new QLabel(QStringLiteral("Select context menu:"), contextMenus));
    contextLayout->addWidget(contextBox);
    contextLayout->addWidget(resetContext, 0, Qt::AlignLeft);
    layout->addWidget(contextMenus);

    CMFCToolBarParameters& params = CMFCToolBarParameters::Current();
    if (dialog->GetFlags() & AFX_CUSTOMIZE_MENU_ANIMATIONS) {
        layout->addWidget(new QLabel(QStringLiteral("Menu animations:"), this));
        m_animation = new QComboBox(this);
        m_animation->addItems({QStringLiteral("(None)"), QStringLiteral("Unfold")});
        m_animation->setCurrentIndex(params.bMenuAnimation ? 1 : 0);
        layout->addWidget(m_animation);
        QObject::connect(m_animation, &QComboBox::currentIndexChanged, this, [](int index) {
            CMFCToolBarParameters::Current().bMenuAnimation = index == 1;
            CMFCToolBarParameters::Current().Apply();
        });
    }
    if (dialog->GetFlags() & AFX_CUSTOMIZE_MENU_SHADOWS) {
        m_shadows = new QCheckBox(QStringLiteral("Menu &shadows"), this);
        m_shadows->setChecked(params.bMenuShadows);
        layout->addWidget(m_shadows);
        QObject::connect(m_shadows, &QCheckBox::toggled, this, [](bool on) {
            CMFCToolBarParameters::Current().bMenuShadows = on;
            CMFCToolBarParameters::Current().Apply();
        });
    }
    layout->addStretch();
    QObject::connect(resetBar, &QPushButton::clicked, this, [this] {
        if (QMessageBox::question(this, QStringLiteral("Customize"),
                                  QStringLiteral("Put the menu bar back as it was first installed?")) ==
            QMessageBox::Yes)
            ResetMenuBar();
    });
}

void CCustomizeMenuPage::ResetMenuBar() {
    if (CMDIFrameWndEx* frame = m_dialog->GetFrame(); frame && frame->GetMenuBar())
        frame->GetMenuBar()->ResetUserCommands();
}

CCustomizeOptionsPage::CCustomizeOptionsPage(CMFCToolBarsCustomizeDialog* dialog)
    : QWidget(dialog), m_dialog(dialog),
      m_tooltips(new QCheckBox(QStringLiteral("Show &tooltips on toolbars"), this)),
      m_shortcutKeys(new QCheckBox(QStringLiteral("Show shortcut &keys in tooltips"), this)),
      m_largeIcons(new QCheckBox(QStringLiteral("&Large icons"), this)),
      m_fullMenus(new QCheckBox(QStringLiteral("Always show full &menus"), this)),
      m_afterDelay(new QCheckBox(QStringLiteral("Show full menus after a short &delay"), this)) {
    auto* resetUsage = new QPushButton(QStringLiteral("&Reset menu and toolbar usage data"), this);
    auto* layout = new QVBoxLayout(this);
    auto* bars = new QGroupBox(QStringLiteral("Toolbars"), this);
    auto* barsLayout = new QVBoxLayout(bars);
    for (QCheckBox* box : {m_tooltips, m_shortcutKeys, m_largeIcons})
        barsLayout->addWidget(box);
    auto* menus = new QGroupBox(QStringLiteral("Personalized menus"), this);
    auto* menusLayout = new QVBoxLayout(menus);
    menusLayout->addWidget(m_fullMenus);
    menusLayout->addWidget(m_afterDelay);
    menusLayout->addWidget(resetUsage, 0, Qt::AlignLeft);
    layout->addWidget(bars);
    layout->addWidget(menus);
    layout->addStretch();

    const CMFCToolBarParameters& params = CMFCToolBarParameters::Current();
    m_tooltips->setChecked(params.bTooltips);
    m_shortcutKeys->setChecked(params.bShortcutKeys);
    m_largeIcons->setChecked(params.bLargeIcons);
    m_fullMenus->setChecked(!params.bRecentlyUsedMenus);
    m_afterDelay->setChecked(params.bShowAllMenusAfterDelay);
    m_shortcutKeys->setEnabled(params.bTooltips);
    m_afterDelay->setEnabled(params.bRecentlyUsedMenus);
    for (QCheckBox* box : {m_tooltips, m_shortcutKeys, m_largeIcons, m_fullMenus, m_afterDelay})
        QObject::connect(box, &QCheckBox::toggled, this, [this] { apply(); });
    QObject::connect(resetUsage, &QPushButton::clicked, this, [this] {
        if (QMessageBox::question(this, QStringLiteral("Customize"),
                                  QStringLiteral("Forget which commands you have used?")) == QMessageBox::Yes)
            CMFCToolBarParameters::Current().commandsUsage.clear();
    });
}

void CCustomizeOptionsPage::apply() {
    CMFCToolBarParameters& params = CMFCToolBarParameters::Current();
    params.bTooltips = m_tooltips->isChecked();
    params.bShortcutKeys = m_shortcutKeys->isChecked();
    params.bLargeIcons = m_largeIcons->isChecked();
    params.bRecentlyUsedMenus = !m_fullMenus->isChecked();
    params.bShowAllMenusAfterDelay = m_afterDelay->isChecked();
    m_shortcutKeys->setEnabled(params.bTooltips);
    m_afterDelay->setEnabled(params.bRecentlyUsedMenus);
    params.Apply();
    if (CMDIFrameWndEx* frame = m_dialog->GetFrame())
        for (CMFCToolBar* bar : frame->GetToolBars())
            bar->ApplyParameters();
}

} // namespace lw
