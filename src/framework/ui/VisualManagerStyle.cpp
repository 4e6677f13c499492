#include "framework/ui/VisualManagerStyle.h"

#include "framework/ui/VisualManager.h"

#include <QApplication>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QToolBar>

namespace lw {

namespace {
using VM = CMFCVisualManager;

// The picture column of a menu: a small icon with room either side.
int menuImageColumn(const QStyle* style) {
    return style->pixelMetric(QStyle::PM_SmallIconSize) + 10;
}

bool holdsMenuBar(const QWidget* w) {
    return w && w->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}
} // namespace

CVisualManagerStyle::CVisualManagerStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void CVisualManagerStyle::Install() {
    if (qApp && !dynamic_cast<CVisualManagerStyle*>(QApplication::style()))
        QApplication::setStyle(new CVisualManagerStyle);
}

void CVisualManagerStyle::drawPrimitive(PrimitiveElement pe, const QStyleOption* opt, QPainter* p,
                                        const QWidget* w) const {
    const VM* vm = VM::GetInstance();
    const bool horizontal = opt->state & State_Horizontal;
    switch (pe) {
    case PE_PanelMenuBar:
        vm->OnFillBarBackground(p, opt->rect, VM::Bar::MenuBar, false);
        return;
    case PE_PanelToolBar:
        return;
    case PE_IndicatorToolBarHandle:
        if (w && w->isWindow()) {
            // A floating bar's handle is its caption strip.
            vm->OnDrawCaption(p, opt->rect,
                              w->isActiveWindow() ||
                                  (w->parentWidget() && w->parentWidget()->isActiveWindow()));
            return;
        }
        vm->OnDrawBarGripper(p, opt->rect, horizontal);
        return;
    case PE_IndicatorToolBarSeparator:
        vm->OnDrawSeparator(p, opt->rect, horizontal);
        return;
    case PE_PanelButtonTool: {
        int state = 0;
        if (opt->state & State_Enabled && opt->state & State_MouseOver)
            state |= VM::Hot;
        if (opt->state & State_Sunken)
            state |= VM::Pressed;
        if (opt->state & State_On)
            state |= VM::Checked;
        vm->OnFillButtonInterior(p, opt->rect, state);
        return;
    }
    case PE_PanelMenu:
        vm->OnFillMenuBackground(p, opt->rect, menuImageColumn(this));
        // The base style gives menus no frame of their own, so the panel carries the border.
        if (pixelMetric(PM_MenuPanelWidth, opt, w) == 0)
            vm->OnDrawMenuBorder(p, opt->rect);
        return;
    case PE_FrameMenu:
        vm->OnDrawMenuBorder(p, opt->rect);
        return;
    case PE_PanelStatusBar:
        vm->OnFillBarBackground(p, opt->rect, VM::Bar::StatusBar, false);
        return;
    case PE_FrameStatusBarItem:
        vm->OnDrawStatusBarPaneBorder(p, opt->rect);
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(pe, opt, p, w);
}

void CVisualManagerStyle::drawControl(ControlElement ce, const QStyleOption* opt, QPainter* p,
                                      const QWidget* w) const {
    const VM* vm = VM::GetInstance();
    switch (ce) {
    case CE_ToolBar:
        vm->OnFillBarBackground(p, opt->rect, holdsMenuBar(w) ? VM::Bar::MenuBar : VM::Bar::ToolBar,
                                !(opt->state & State_Horizontal));
        return;
    case CE_MenuBarEmptyArea:
        vm->OnFillBarBackground(p, opt->rect, VM::Bar::MenuBar, false);
        return;
    case CE_MenuEmptyArea:
        vm->OnFillMenuBackground(p, opt->rect, menuImageColumn(this));
        return;
    case CE_MenuBarItem: {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(opt);
        if (!item)
            break;
        const QRect bar = item->menuRect.isValid() ? item->menuRect : item->rect;
        p->save();
        p->setClipRect(item->rect);
        vm->OnFillBarBackground(p, bar, VM::Bar::MenuBar, false);
        p->restore();
        const bool enabled = item->state & State_Enabled;
        const bool open = item->state & State_Sunken;
        const bool lit = enabled && (item->state & State_Selected || open);
        if (lit)
            vm->OnHighlightMenuItem(p, item->rect, true, open);
        int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextDontClip | Qt::TextSingleLine;
        if (!styleHint(SH_UnderlineShortcut, item, w))
            flags |= Qt::TextHideMnemonic;
        p->save();
        p->setPen(vm->GetMenuTextColor(lit, enabled, true));
        p->drawText(item->rect, flags, item->text);
        p->restore();
        return;
    }
    case CE_MenuItem: {
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(opt);
        if (!item)
            break;
        if (item->menuItemType == QStyleOptionMenuItem::Separator) {
            vm->OnDrawMenuSeparator(p, item->rect, menuImageColumn(this));
            return;
        }
        const bool enabled = item->state & State_Enabled;
        const bool lit = enabled && item->state & State_Selected;
        if (lit)
            vm->OnHighlightMenuItem(p, item->rect, false, false);
        // The base style draws marks, picture, text and key in the manager's text colour.
        QStyleOptionMenuItem plain(*item);
        plain.state &= ~State_Selected;
        const QColor text = vm->GetMenuTextColor(lit, enabled, false);
        for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            plain.palette.setColor(role, text);
        QProxyStyle::drawControl(ce, &plain, p, w);
        return;
    }
    default:
        break;
    }
    QProxyStyle::drawControl(ce, opt, p, w);
}

void CVisualManagerStyle::drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                                             const QWidget* w) const {
    if (cc == CC_TitleBar) {
        if (const auto* title = qstyleoption_cast<const QStyleOptionTitleBar*>(opt)) {
            // The base style shades the caption from these two roles.
            QStyleOptionTitleBar coloured(*title);
            const VM* vm = VM::GetInstance();
            coloured.palette.setColor(QPalette::Highlight, vm->GetCaptionColor(true));
            coloured.palette.setColor(QPalette::Window, vm->GetCaptionColor(false));
            coloured.palette.setColor(QPalette::HighlightedText, vm->GetCaptionTextColor(true));
            coloured.palette.setColor(QPalette::WindowText, vm->GetCaptionTextColor(false));
            QProxyStyle::drawComplexControl(cc, &coloured, p, w);
            return;
        }
    }
    QProxyStyle::drawComplexControl(cc, opt, p, w);
}

} // namespace lw
