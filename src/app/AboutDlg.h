#pragma once
// Help > About: the program icon, name and version, the copyright notice, OK and a link
// to the maker's web site that opens in the user's browser while the box stays open.

#include "framework/ui/DialogEx.h"

class QPushButton;

namespace lw {

class CLinkCtrl;

class CAboutDlg : public CDialogEx {
    DECLARE_MESSAGE_MAP()
public:
    CAboutDlg();
    ~CAboutDlg() override;

    // Click or Enter on the link: opens the activated address.
    void OnNMClickSyslink(NMHDR* pNMHDR, LRESULT* pResult);

    CLinkCtrl* GetLink() const { return m_link; }
    QPushButton* GetOkButton() const { return m_ok; }

    static constexpr UINT IDC_SYSLINK = 1000;

private:
    CLinkCtrl* m_link = nullptr;
    QPushButton* m_ok = nullptr;
};

} // namespace lw
