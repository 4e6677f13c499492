#pragma once
// A colour button: shows its command's picture over the current colour, sends the
// command when clicked, and drops a palette (with "Other..." opening the colour
// dialog) that can be torn off as a floating bar. The colour belongs to the command:
// every button and torn-off palette of the same command shows and sets the same one.

#include "framework/ui/ToolBarControl.h"

#include <QColor>
#include <QIcon>
#include <QRect>
#include <QToolButton>
#include <vector>

class QMenu;

namespace lw {

class CMFCColorMenuButton : public QToolButton, public CMFCToolBarControl {
public:
    // The range reserved for torn-off menus (the application may move it); a palette bar
    // ID inside it means no tear-off.
    static inline UINT s_nTearOffMenuFirst = 36352;
    static inline UINT s_nTearOffMenuLast = 36367;

    CMFCColorMenuButton(UINT id, const QString& text, const QIcon& image = {});
    ~CMFCColorMenuButton() override;

    QWidget* GetWidget() override { return this; }
    QString GetText() const { return m_strText; }

    // Offers "Other..." in the palette, opening the framework's colour dialog.
    void EnableOtherButton(const QString& label);
    QString GetOtherLabel() const { return m_strOther; }
    // The ID of the floating bar the palette tears off into; 0 for none.
    void SetTearOff(UINT barId);
    UINT GetTearOffID() const { return m_nTearOffID; }

    // Sets the colour; with notify, every button and palette of the same command too.
    void SetColor(const QColor& color, BOOL bNotify = TRUE);
    QColor GetColor() const { return m_color; }
    // The colour as a COLORREF: red in the low byte, then green, then blue.
    quint32 GetColorRef() const;

    // The colour recorded for a command (invalid when none was set).
    static QColor GetColorByCmdID(UINT id);
    // Records a colour for a command and shows it on every button with that command.
    static void SetColorByCmdID(UINT id, const QColor& color);

    // Palettes the user tore off and left open: the bar ID, its caption and where it is.
    struct TornOffPalette {
        UINT id = 0;
        QString name;
        QRect geometry;
    };
    static std::vector<TornOffPalette> TornOffPalettes();
    // Tears off the palette of the first button whose bar ID is `tearOffId`, at `geometry`.
    static bool ShowTornOffPalette(UINT tearOffId, const QRect& geometry);

    // The drop-down palette (also what a tear-off shows).
    QMenu* GetPaletteMenu() const { return m_menu; }
    // What picking a colour in the palette does: record it, then send the command.
    void OnColorChosen(const QColor& color);
    // Opens the colour dialog from the palette's "Other..." entry.
    void OnOther();

private:
    void refreshIcon();

    QString m_strText;
    QString m_strOther;
    QIcon m_image;
    QColor m_color;
    UINT m_nTearOffID = 0;
    QMenu* m_menu = nullptr;
};

} // namespace lw
