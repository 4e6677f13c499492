#include "app/AboutDlg.h"

#include "framework/core/Resources.h"
#include "framework/ui/LinkCtrl.h"
#include "resources/CommandIds.h"

#include <QDesktopServices>
#include <QIcon>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <algorithm>

namespace lw {

namespace {
constexpr const char* kVersionText = "Loomwrite, Version 1.1.0.0";
constexpr const char* kCopyrightText = "Copyright (C) 2026 Tarn";
constexpr const char* kLinkMarkup = "<a href=\"https://tarn.example/\">tarn.example</a>";
} // namespace

// clang-format off
BEGIN_MESSAGE_MAP(CAboutDlg, CDialogEx)
    ON_NOTIFY(NM_CLICK, CAboutDlg::IDC_SYSLINK, &CAboutDlg::OnNMClickSyslink)
    ON_NOTIFY(NM_RETURN, CAboutDlg::IDC_SYSLINK, &CAboutDlg::OnNMClickSyslink)
END_MESSAGE_MAP()
// clang-format on

CAboutDlg::CAboutDlg() : CDialogEx(IDD_ABOUTBOX) {
    setWindowTitle(QStringLiteral("About Loomwrite"));
    setModal(true);
    setFixedSize(MapDialogRect(0, 0, 170, 62).size());

    // Controls in template order, which is also the tab order.
    auto* icon = new QLabel(this);
    const QRect iconRect = MapDialogRect(14, 14, 20, 20);
    icon->setGeometry(iconRect);
    icon->setPixmap(QIcon(CResourceTables::instance().iconPath(IDR_MAINFRAME)).pixmap(iconRect.size()));

    auto* version = new QLabel(QString::fromLatin1(kVersionText), this);
    version->setTextFormat(Qt::PlainText);
    version->setGeometry(MapDialogRect(42, 14, 114, 8));
    auto* copyright = new QLabel(QString::fromLatin1(kCopyrightText), this);
    copyright->setTextFormat(Qt::PlainText);
    copyright->setGeometry(MapDialogRect(42, 26, 114, 8));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(MapDialogRect(113, 41, 50, 14));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    m_link = new CLinkCtrl(this);
    m_link->Create(QString::fromLatin1(kLinkMarkup), this, IDC_SYSLINK);
    // Fonts wider than the template's own still show the whole address.
    QRect linkRect = MapDialogRect(42, 42, 60, 14);
    linkRect.setWidth(std::max(linkRect.width(), m_link->sizeHint().width()));
    m_link->setGeometry(linkRect);
    setTabOrder(m_ok, m_link);
    m_ok->setFocus();
}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::OnNMClickSyslink(NMHDR* pNMHDR, LRESULT* pResult) {
    // Whether a browser could be started is not looked at: the box stays open either way.
    const auto* link = reinterpret_cast<NMLINK*>(pNMHDR);
    // Platforms without desktop services (offscreen) leave it to xdg-open.
    if (!QDesktopServices::openUrl(QUrl(link->item.szUrl)))
        QProcess::startDetached(QStringLiteral("xdg-open"), {link->item.szUrl});
    *pResult = 0;
}

} // namespace lw
