#include "framework/ui/ToolBarComboBoxButton.h"

#include <QAbstractItemView>
#include <QSignalBlocker>

namespace lw {

CMFCToolBarComboBoxButton::CMFCToolBarComboBoxButton(UINT id, int image, UINT style, int width)
    : CMFCToolBarControl(id), m_nImage(image) {
    setEditable((style & 0x3) == CBS_DROPDOWN);
    setFixedWidth(width);
    setFocusPolicy(Qt::ClickFocus);
    QObject::connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
        m_bChosen = true;
        NotifyFrame(CBN_SELENDOK);
    });
}

int CMFCToolBarComboBoxButton::AddItem(const QString& text, quintptr data) {
    const QSignalBlocker block(this);
    // Qt chooses the first item added; the box stays without a choice until one is made.
    const int chosen = currentIndex();
    addItem(text, QVariant::fromValue<qulonglong>(data));
    setCurrentIndex(chosen);
    return count() - 1;
}

quintptr CMFCToolBarComboBoxButton::GetItemData(int index) const {
    return static_cast<quintptr>(itemData(index).toULongLong());
}

BOOL CMFCToolBarComboBoxButton::SelectItem(int index) {
    if (index < -1 || index >= count())
        return FALSE;
    const QSignalBlocker block(this);
    setCurrentIndex(index);
    return TRUE;
}

BOOL CMFCToolBarComboBoxButton::SetText(const QString& text) {
    const int index = text.isEmpty() ? -1 : findText(text, Qt::MatchFixedString);
    const QSignalBlocker block(this);
    setCurrentIndex(index);
    return index >= 0;
}

BOOL CMFCToolBarComboBoxButton::SelectItemStartingWith(const QString& prefix) {
    const int index = prefix.isEmpty() ? -1 : findText(prefix, Qt::MatchStartsWith);
    if (index < 0)
        return FALSE;
    const QSignalBlocker block(this);
    setCurrentIndex(index);
    return TRUE;
}

void CMFCToolBarComboBoxButton::showPopup() {
    m_bChosen = false;
    QComboBox::showPopup();
}

void CMFCToolBarComboBoxButton::hidePopup() {
    const bool wasShown = view() && view()->isVisible();
    QComboBox::hidePopup();
    if (!wasShown)
        return;
    // Qt hides the list before it takes the clicked item: the close-up goes out once
    // the choice (if any) is in the box.
    QMetaObject::invokeMethod(
        this, [this] { NotifyFrame(CBN_CLOSEUP); }, Qt::QueuedConnection);
}

} // namespace lw
