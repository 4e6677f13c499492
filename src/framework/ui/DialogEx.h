#pragma once
// A dialog box of the framework: laid out in dialog units of its font, owned by the main
// window when it is given no parent (and centred over it), run modally by DoModal, and
// a window of the command route, so its controls' notifications reach its message map.

#include "framework/core/Wnd.h"

#include <QDialog>

namespace lw {

class CDialogEx : public QDialog, public CWnd {
    DECLARE_MESSAGE_MAP()
public:
    explicit CDialogEx(UINT nIDTemplate, QWidget* pParent = nullptr);
    ~CDialogEx() override;

    UINT GetTemplateID() const { return m_nIDTemplate; }
    // Runs the dialog until OK, Cancel, Escape or the close box ends it; IDOK or IDCANCEL.
    virtual int DoModal();
    // A rectangle in dialog units of the dialog's font, in pixels.
    QRect MapDialogRect(int x, int y, int cx, int cy) const;

private:
    UINT m_nIDTemplate;
};

} // namespace lw
