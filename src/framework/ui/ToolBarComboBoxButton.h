#pragma once
// A drop-down list on a toolbar in a button's place. Closing its list tells the frame
// (close-up, code 8) whether or not an item was chosen; choosing an item also sends
// the completed selection (code 9).

#include "framework/ui/ToolBarControl.h"

#include <QComboBox>

namespace lw {

// Combo box styles.
inline constexpr UINT CBS_DROPDOWN = 2;
inline constexpr UINT CBS_DROPDOWNLIST = 3;

class CMFCToolBarComboBoxButton : public QComboBox, public CMFCToolBarControl {
public:
    CMFCToolBarComboBoxButton(UINT id, int image, UINT style, int width);

    QWidget* GetWidget() override { return this; }
    int GetImage() const { return m_nImage; }

    // Adds an item; returns its index.
    int AddItem(const QString& text, quintptr data = 0);
    int GetCount() const { return count(); }
    QString GetItem(int index) const { return itemText(index); }
    quintptr GetItemData(int index) const;
    // The chosen item's index, -1 for none.
    int GetCurSel() const { return currentIndex(); }
    BOOL SelectItem(int index);
    // Shows `text` as the box's value without telling anyone; a text that is no item
    // leaves the list without a choice. Returns whether an item matched.
    BOOL SetText(const QString& text);
    // Chooses the first item beginning with `prefix` (case ignored) without telling
    // anyone; keeps the current choice when none does.
    BOOL SelectItemStartingWith(const QString& prefix);
    // The chosen item's text, empty for none.
    QString GetText() const { return currentIndex() >= 0 ? currentText() : QString(); }

    void showPopup() override;
    void hidePopup() override;

private:
    int m_nImage;
    bool m_bChosen = false;
};

} // namespace lw
