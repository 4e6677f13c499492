#pragma once
// The editing views' window on the Format toolbar's controls: it finds the current
// font name box, size box and colour buttons on the main frame's Format toolbar each
// time, since a reset replaces them and the user may remove them.

#include "editor/FormatControls.h"

namespace lw {

class CMainFrame;

class CFormatBarControls : public IFormatControls {
public:
    explicit CFormatBarControls(CMainFrame* frame) : m_frame(frame) {}

    QString selectedFontName() const override;
    void selectFontByName(const QString& name) override;
    void clearFontName() override;
    void enableFontName(bool on) override;

    int selectedSizeIndex() const override;
    int sizeCount() const override;
    void selectSizeIndex(int index) override;
    void enableSize(bool on) override;

    std::uint32_t buttonColor(unsigned commandId) const override;
    void invalidate() override;

private:
    CMainFrame* m_frame;
};

} // namespace lw
