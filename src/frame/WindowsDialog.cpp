#include "frame/WindowsDialog.h"

#include "framework/core/Document.h"
#include "framework/core/FrameworkIds.h"
#include "framework/ui/MDIChildWndEx.h"
#include "framework/ui/MDIFrameWndEx.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lw {

namespace {
constexpr int kChildRole = Qt::UserRole + 1;
}

CWindowsDialog::CWindowsDialog(CMDIFrameWndEx* frame, QWidget* parent)
    : QDialog(parent), m_frame(frame), m_list(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Windows"));
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* label = new QLabel(QStringLiteral("Select &window:"), this);
    label->setBuddy(m_list);
    auto* buttons = new QVBoxLayout;
    auto add = [&](const char* text, auto handler) {
        auto* button = new QPushButton(QString::fromLatin1(text), this);
        button->setAutoDefault(false);
        QObject::connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
        return button;
    };
    QPushButton* activate = add("&Activate", [this] { OnActivate(); });
    add("&OK", [this] { accept(); })->setDefault(true);
    QPushButton* save = add("&Save", [this] { OnSave(); });
    QPushButton* close = add("&Close Window(s)", [this] { OnCloseWindows(); });
    QPushButton* cascade = add("Casca&de", [this] { OnArrange(ID_WINDOW_CASCADE); });
    QPushButton* horz = add("Tile Hori&zontally", [this] { OnArrange(ID_WINDOW_TILE_HORZ); });
    QPushButton* vert = add("Tile &Vertically", [this] { OnArrange(ID_WINDOW_TILE_VERT); });
    QPushButton* minimize = add("&Minimize", [this] { OnMinimize(); });
    buttons->addStretch();
    m_needSelection = {activate, save, close, minimize};
    // Arranging and minimising mean nothing while the documents are tabs.
    m_classicOnly = {cascade, horz, vert, minimize};
    QObject::connect(m_list, &QListWidget::itemDoubleClicked, this, [this] { OnActivate(); });
    QObject::connect(m_list, &QListWidget::itemSelectionChanged, this, [this] { updateButtons(); });

    auto* left = new QVBoxLayout;
    left->addWidget(label);
    left->addWidget(m_list);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    fill();
    m_list->setFocus();
}

void CWindowsDialog::fill() {
    m_list->clear();
    for (CMDIChildWnd* child : m_frame->Children()) {
        auto* item = new QListWidgetItem(child->GetWindowText(), m_list);
        item->setData(kChildRole, QVariant::fromValue<quintptr>(reinterpret_cast<quintptr>(child)));
        if (child == m_frame->MDIGetActive()) {
            m_list->setCurrentItem(item);
            item->setSelected(true);
        }
    }
    updateButtons();
}

void CWindowsDialog::updateButtons() {
    const bool any = !m_list->selectedItems().isEmpty();
    for (QPushButton* b : m_needSelection)
        b->setEnabled(any);
    if (m_frame->AreMDITabs())
        for (QPushButton* b : m_classicOnly)
            b->setEnabled(false);
}

std::vector<CMDIChildWnd*> CWindowsDialog::selected() const {
    // Windows closed since the list was filled are left out.
    std::vector<CMDIChildWnd*> chosen;
    const auto& children = m_frame->Children();
    for (QListWidgetItem* item : m_list->selectedItems()) {
        auto* child = reinterpret_cast<CMDIChildWnd*>(item->data(kChildRole).value<quintptr>());
        if (std::find(children.begin(), children.end(), child) != children.end())
            chosen.push_back(child);
    }
    return chosen;
}

void CWindowsDialog::OnActivate() {
    QListWidgetItem* item = m_list->currentItem();
    if (!item)
        return;
    auto* child = reinterpret_cast<CMDIChildWnd*>(item->data(kChildRole).value<quintptr>());
    const auto& children = m_frame->Children();
    if (std::find(children.begin(), children.end(), child) != children.end())
        child->ActivateFrame();
    accept();
}

void CWindowsDialog::OnCloseWindows() {
    for (CMDIChildWnd* child : selected()) {
        const auto& children = m_frame->Children();
        if (std::find(children.begin(), children.end(), child) != children.end())
            child->OnClose();
    }
    fill();
}

void CWindowsDialog::OnSave() {
    for (CMDIChildWnd* child : selected()) {
        if (CDocument* doc = child->GetActiveDocument()) {
            // A failed or cancelled save has told the user; the others are not saved unasked.
            if (!doc->DoFileSave())
                break;
        }
    }
    fill();
}

void CWindowsDialog::OnMinimize() {
    CMDIClientAreaWnd* area = m_frame->GetClientArea();
    if (!area || area->AreMDITabs())
        return;
    for (CMDIChildWnd* child : selected())
        if (auto* ex = dynamic_cast<CMDIChildWndEx*>(child))
            if (QMdiSubWindow* sub = area->SubWindowOf(ex->GetWidget()))
                sub->showMinimized();
}

void CWindowsDialog::OnArrange(unsigned command) { m_frame->SendCommand(command); }

} // namespace lw
