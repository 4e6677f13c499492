#include "frame/WindowsDialog.h"

#include "framework/core/FrameWnd.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lw {

namespace {
constexpr int kChildRole = Qt::UserRole + 1;
}

CWindowsDialog::CWindowsDialog(CMDIFrameWnd* frame, QWidget* parent)
    : QDialog(parent), m_frame(frame), m_list(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Windows"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* label = new QLabel(QStringLiteral("Select &window:"), this);
    label->setBuddy(m_list);
    auto* activate = new QPushButton(QStringLiteral("&Activate"), this);
    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    auto* close = new QPushButton(QStringLiteral("&Close Window(s)"), this);
    QObject::connect(activate, &QPushButton::clicked, this, [this] { OnActivate(); });
    QObject::connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    QObject::connect(close, &QPushButton::clicked, this, [this] { OnCloseWindows(); });
    QObject::connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnActivate(); });

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(activate);
    buttons->addWidget(ok);
    buttons->addWidget(close);
    buttons->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(m_list);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    fill();
}

void CWindowsDialog::fill() {
    m_list->clear();
    for (CMDIChildWnd* child : m_frame->Children()) {
        auto* item = new QListWidgetItem(child->GetWindowText(), m_list);
        item->setData(kChildRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(child)));
        if (child == m_frame->MDIGetActive())
            m_list->setCurrentItem(item);
    }
}

void CWindowsDialog::OnActivate() {
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    auto* child = reinterpret_cast<CMDIChildWnd*>(item->data(kChildRole).value<quintptr>());
    // The window may have closed since the list was filled.
    const auto& children = m_frame->Children();
    if (std::find(children.begin(), children.end(), child) != children.end())
        child->ActivateFrame();
    accept();
}

void CWindowsDialog::OnCloseWindows() {
    std::vector<CMDIChildWnd*> chosen;
    for (QListWidgetItem* item : m_list->selectedItems())
        chosen.push_back(reinterpret_cast<CMDIChildWnd*>(item->data(kChildRole).value<quintptr>()));
    for (CMDIChildWnd* child : chosen) {
        const auto& children = m_frame->Children();
        if (std::find(children.begin(), children.end(), child) != children.end())
            child->OnClose();
    }
    fill();
}

} // namespace lw
