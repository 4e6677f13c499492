#include "frame/FormatBarControls.h"

#include "frame/MainFrame.h"
#include "framework/ui/ColorMenuButton.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarFontComboBox.h"

namespace lw {

QString CFormatBarControls::selectedFontName() const {
    const CMFCToolBarFontComboBox* box = m_frame->GetFontNameBox();
    return box ? box->GetText() : QString();
}

void CFormatBarControls::selectFontByName(const QString& name) {
    if (CMFCToolBarFontComboBox* box = m_frame->GetFontNameBox())
        box->SelectItemStartingWith(name);
}

void CFormatBarControls::clearFontName() {
    if (CMFCToolBarFontComboBox* box = m_frame->GetFontNameBox())
        box->SelectItem(-1);
}

void CFormatBarControls::enableFontName(bool on) {
    if (CMFCToolBarFontComboBox* box = m_frame->GetFontNameBox())
        box->AllowEnable(on);
}

int CFormatBarControls::selectedSizeIndex() const {
    const CMFCToolBarComboBoxButton* box = m_frame->GetFontSizeBox();
    return box ? box->GetCurSel() : -1;
}

int CFormatBarControls::sizeCount() const {
    const CMFCToolBarComboBoxButton* box = m_frame->GetFontSizeBox();
    return box ? box->GetCount() : 0;
}

void CFormatBarControls::selectSizeIndex(int index) {
    if (CMFCToolBarComboBoxButton* box = m_frame->GetFontSizeBox())
        box->SelectItem(index);
}

void CFormatBarControls::enableSize(bool on) {
    if (CMFCToolBarComboBoxButton* box = m_frame->GetFontSizeBox())
        box->AllowEnable(on);
}

std::uint32_t CFormatBarControls::buttonColor(unsigned commandId) const {
    // The colour belongs to the command, so it is known even with the button removed.
    QColor color = CMFCColorMenuButton::GetColorByCmdID(commandId);
    if (!color.isValid()) {
        const CMFCColorMenuButton* button = m_frame->FindColorButton(commandId);
        color = button ? button->GetColor() : QColor(Qt::black);
    }
    return std::uint32_t(color.red()) | (std::uint32_t(color.green()) << 8) |
           (std::uint32_t(color.blue()) << 16);
}

void CFormatBarControls::invalidate() {
    if (CMFCToolBar* bar = m_frame->GetFormatBar())
        bar->update();
}

} // namespace lw
