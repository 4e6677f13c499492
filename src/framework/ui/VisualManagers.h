#pragma once
// The looks the program offers, one visual manager each. Every subclass sets its own
// colours; the ones whose shapes differ (rounded or glossy bars, dotted grippers, 3-D
// tabs) redraw those parts.

#include "framework/ui/VisualManager.h"

namespace lw {

// Light bars, flat, with a framed highlight and a shaded picture column in menus.
class CMFCVisualManagerOfficeXP : public CMFCVisualManager {
public:
    CMFCVisualManagerOfficeXP();
    void OnDrawBarGripper(QPainter* p, const QRect& rect, bool horizontalBar) const override;
    void OnDrawSeparator(QPainter* p, const QRect& rect, bool horizontalBar) const override;
};

// The desktop theme: beige bars, a blue caption, green marks, rounded hot buttons.
class CMFCVisualManagerWindows : public CMFCVisualManager {
public:
    CMFCVisualManagerWindows();
    void OnFillTab(QPainter* p, const QPainterPath& shape, QColor color, bool current) const override;
    // Document tabs drawn as raised 3-D shapes; once on, it stays on for the run.
    static inline bool m_b3DTabsXPTheme = false;
};

// Blue gradient bars with rounded ends and dotted grippers.
class CMFCVisualManagerOffice2003 : public CMFCVisualManagerOfficeXP {
public:
    CMFCVisualManagerOffice2003();
    void OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar, bool vertical) const override;
    void OnDrawBarGripper(QPainter* p, const QRect& rect, bool horizontalBar) const override;
};

// The warm-grey developer style.
class CMFCVisualManagerVS2005 : public CMFCVisualManagerOffice2003 {
public:
    CMFCVisualManagerVS2005();
};

// The blue developer style: square bars over a blue-grey dock.
class CMFCVisualManagerVS2008 : public CMFCVisualManagerVS2005 {
public:
    CMFCVisualManagerVS2008();
    void OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar, bool vertical) const override;
};

// Glossy two-band bars and buttons in one of four colour styles.
class CMFCVisualManagerOffice2007 : public CMFCVisualManagerOffice2003 {
public:
    enum Style { Office2007_Blue = 0, Office2007_Black = 1, Office2007_Aqua = 2, Office2007_Silver = 3 };
    CMFCVisualManagerOffice2007();
    // Chooses the colour style the next instance takes; an unknown style leaves the
    // current one in force and returns FALSE.
    static bool SetStyle(Style style);
    static Style GetStyle() { return s_style; }

    void OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar, bool vertical) const override;
    void OnFillButtonInterior(QPainter* p, const QRect& rect, int state) const override;

private:
    static inline Style s_style = Office2007_Blue;
};

// The light glassy desktop theme.
class CMFCVisualManagerWindows7 : public CMFCVisualManagerWindows {
public:
    CMFCVisualManagerWindows7();
    void OnFillBarBackground(QPainter* p, const QRect& rect, Bar bar, bool vertical) const override;
    void OnFillButtonInterior(QPainter* p, const QRect& rect, int state) const override;
};

} // namespace lw
