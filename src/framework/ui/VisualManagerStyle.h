#pragma once
// The Qt style the whole program draws through once a visual manager is chosen: it hands
// the framework's surfaces (bars, buttons, menus, captions, status panes) to the running
// visual manager and leaves everything else to the base style. One instance stays
// installed, so switching managers only repaints and never re-polishes the widgets.

#include <QProxyStyle>

namespace lw {

class CVisualManagerStyle : public QProxyStyle {
public:
    CVisualManagerStyle();
    // Makes this style the application's, once.
    static void Install();

    void drawPrimitive(PrimitiveElement pe, const QStyleOption* opt, QPainter* p,
                       const QWidget* w) const override;
    void drawControl(ControlElement ce, const QStyleOption* opt, QPainter* p,
                     const QWidget* w) const override;
    void drawComplexControl(ComplexControl cc, const QStyleOptionComplex* opt, QPainter* p,
                            const QWidget* w) const override;
};

} // namespace lw
