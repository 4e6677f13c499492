// The Commands and Toolbars pages of the Customize dialog.

#include "framework/core/CmdTarget.h"
#include "framework/core/Resources.h"
#include "framework/core/UserPrompts.h"
#include "framework/ui/CustomizePages.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBar.h"
#include "framework/ui/ToolBarsCustomizeDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw {

namespace {
constexpr int kCommandRole = Qt::UserRole;
} // namespace

CCustomizeCommandsPage::CCustomizeCommandsPage(CMFCToolBarsCustomizeDialog* dialog)
    : QWidget(dialog), m_dialog(dialog), m_categories(new QListWidget(this)),
      m_commands(new QListWidget(this)), m_description(new QLabel(this)) {
    auto* hint = new QLabel(QStringLiteral("To add a command to a toolbar or the menu bar, drag it from this "
                                           "list onto the bar. To take a button off, drag it off its bar."),
                            this);
    hint->setWordWrap(true);
    m_description->setWordWrap(true);
    m_description->setMinimumHeight(m_description->fontMetrics().height() * 3);
    auto* grid = new QGridLayout(this);
    grid->addWidget(hint, 0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Categories:"), this), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Commands:"), this), 1, 1);
    grid->addWidget(m_categories, 2, 0);
    grid->addWidget(m_commands, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("Description:"), this), 3, 0, 1, 2);
    grid->addWidget(m_description, 4, 0, 1, 2);
    grid->setColumnStretch(1, 2);
    for (const auto& category : dialog->GetCategories())
        m_categories->addItem(category.name);
    m_commands->setIconSize(QSize(16, 16));
    m_commands->viewport()->installEventFilter(this);
    QObject::connect(m_categories, &QListWidget::currentRowChanged, this,
                     [this](int row) { SelectCategory(row); });
    QObject::connect(m_commands, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        m_description->setText(item ? AfxCommandText(item->data(kCommandRole).toUInt()).prompt : QString());
    });
    if (m_categories->count() > 0)
        m_categories->setCurrentRow(0);
}

void CCustomizeCommandsPage::SelectCategory(int index) {
    m_commands->clear();
    const auto& categories = m_dialog->GetCategories();
    if (index < 0 || index >= int(categories.size()))
        return;
    if (m_categories->currentRow() != index)
        m_categories->setCurrentRow(index);
    CMDIFrameWndEx* frame = m_dialog->GetFrame();
    for (UINT id : categories[size_t(index)].commands) {
        auto* item = new QListWidgetItem(frame ? frame->GetCommandIcon(id) : QIcon(),
                                         m_dialog->GetCommandName(id), m_commands);
        item->setData(kCommandRole, id);
    }
}

bool CCustomizeCommandsPage::eventFilter(QObject* watched, QEvent* e) {
    if (watched != m_commands->viewport())
        return QWidget::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(e);
        QListWidgetItem* item = m_commands->itemAt(mouse->position().toPoint());
        m_nPressed = item && mouse->button() == Qt::LeftButton ? item->data(kCommandRole).toUInt() : 0;
        m_pressPos = mouse->globalPosition().toPoint();
        m_bDragging = false;
        break;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(e);
        if (!m_nPressed || m_bDragging)
            return m_bDragging;
        if ((mouse->globalPosition().toPoint() - m_pressPos).manhattanLength() <
            QApplication::startDragDistance())
            break;
        m_bDragging = true;
        QApplication::setOverrideCursor(Qt::DragCopyCursor);
        return true;
    }
    case QEvent::MouseButtonRelease: {
        const UINT id = m_nPressed;
        const bool dragging = m_bDragging;
        m_nPressed = 0;
        m_bDragging = false;
        if (!dragging)
            break;
        QApplication::restoreOverrideCursor();
        CMFCToolBar::DropCommand(id, static_cast<QMouseEvent*>(e)->globalPosition().toPoint());
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, e);
}

CCustomizeToolbarsPage::CCustomizeToolbarsPage(CMFCToolBarsCustomizeDialog* dialog)
    : QWidget(dialog), m_dialog(dialog), m_bars(new QListWidget(this)),
      m_new(new QPushButton(QStringLiteral("&New..."), this)),
      m_rename(new QPushButton(QStringLiteral("Rena&me..."), this)),
      m_delete(new QPushButton(QStringLiteral("&Delete"), this)),
      m_reset(new QPushButton(QStringLiteral("&Reset"), this)),
      m_textLabels(new QCheckBox(QStringLiteral("Show text labels"), this)) {
    auto* resetAll = new QPushButton(QStringLiteral("Reset &All"), this);
    auto* buttons = new QVBoxLayout;
    for (QWidget* w :
         {static_cast<QWidget*>(m_reset), static_cast<QWidget*>(resetAll), static_cast<QWidget*>(m_new),
          static_cast<QWidget*>(m_rename), static_cast<QWidget*>(m_delete)})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(m_textLabels);
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Toolbars:"), this), 0, 0);
    grid->addWidget(m_bars, 1, 0);
    grid->addLayout(buttons, 1, 1);
    const bool user = dialog->UserDefinedToolbarsEnabled();
    m_new->setVisible(user);
    m_rename->setVisible(user);
    m_delete->setVisible(user);
    m_textLabels->setVisible(dialog->GetFlags() & AFX_CUSTOMIZE_TEXT_LABELS);

    QObject::connect(m_bars, &QListWidget::currentRowChanged, this, [this] { updateButtons(); });
    QObject::connect(m_bars, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        const int row = m_bars->row(item);
        if (row >= 0 && row < int(m_barList.size()) && m_barList[size_t(row)])
            m_barList[size_t(row)]->setVisible(item->checkState() == Qt::Checked);
    });
    QObject::connect(m_new, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, QStringLiteral("New Toolbar"), QStringLiteral("Toolbar name:"),
                                  QLineEdit::Normal, QString(), &ok);
        if (ok && !name.trimmed().isEmpty())
            NewToolBar(name.trimmed());
    });
    QObject::connect(m_rename, &QPushButton::clicked, this, [this] {
        CMFCToolBar* bar = SelectedBar();
        if (!bar)
            return;
        bool ok = false;
        const QString name =
            QInputDialog::getText(this, QStringLiteral("Rename Toolbar"), QStringLiteral("Toolbar name:"),
                                  QLineEdit::Normal, bar->GetWindowText(), &ok);
        if (ok && !name.trimmed().isEmpty())
            RenameToolBar(bar, name.trimmed());
    });
    QObject::connect(m_delete, &QPushButton::clicked, this, [this] {
        CMFCToolBar* bar = SelectedBar();
        if (bar &&
            QMessageBox::question(this, QStringLiteral("Customize"),
                                  QStringLiteral("Delete the toolbar \"%1\"?").arg(bar->GetWindowText())) ==
                QMessageBox::Yes)
            DeleteToolBar(bar);
    });
    QObject::connect(m_reset, &QPushButton::clicked, this, [this] { ResetToolBar(SelectedBar()); });
    QObject::connect(resetAll, &QPushButton::clicked, this, [this] {
        if (QMessageBox::question(
                this, QStringLiteral("Customize"),
                QStringLiteral("Put every toolbar back as it was first installed? Your changes "
                               "to their buttons will be lost.")) == QMessageBox::Yes)
            ResetAll();
    });
    QObject::connect(m_textLabels, &QCheckBox::toggled, this, [this](bool on) {
        if (CMFCToolBar* bar = SelectedBar())
            bar->SetTextLabels(on);
    });
    Refresh();
}

void CCustomizeToolbarsPage::Refresh() {
    CMFCToolBar* selected = SelectedBar();
    const QSignalBlocker block(m_bars);
    m_bars->clear();
    m_barList.clear();
    if (CMDIFrameWndEx* frame = m_dialog->GetFrame()) {
        for (CMFCToolBar* bar : frame->GetToolBars()) {
            auto* item = new QListWidgetItem(bar->GetWindowText(), m_bars);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(bar->isHidden() ? Qt::Unchecked : Qt::Checked);
            m_barList.emplace_back(bar);
            if (bar == selected)
                m_bars->setCurrentItem(item);
        }
    }
    if (!m_bars->currentItem() && m_bars->count() > 0)
        m_bars->setCurrentRow(0);
    updateButtons();
}

CMFCToolBar* CCustomizeToolbarsPage::SelectedBar() const {
    const int row = m_bars->currentRow();
    return row >= 0 && row < int(m_barList.size()) ? m_barList[size_t(row)].data() : nullptr;
}

void CCustomizeToolbarsPage::updateButtons() {
    CMFCToolBar* bar = SelectedBar();
    CMDIFrameWndEx* frame = m_dialog->GetFrame();
    const bool user = bar && frame && frame->IsUserToolBarId(bar->GetDlgCtrlID());
    m_rename->setEnabled(user);
    m_delete->setEnabled(user);
    m_reset->setEnabled(bar && !user);
    const QSignalBlocker block(m_textLabels);
    m_textLabels->setEnabled(bar != nullptr);
    m_textLabels->setChecked(bar && bar->GetTextLabels());
}

CMFCToolBar* CCustomizeToolbarsPage::NewToolBar(const QString& name) {
    CMDIFrameWndEx* frame = m_dialog->GetFrame();
    if (!frame)
        return nullptr;
    QString text = name;
    auto* bar = reinterpret_cast<CMFCToolBar*>(
        frame->SendMessage(RegisterWindowMessage("TOOLBAR_CREATE"), 0, reinterpret_cast<LPARAM>(&text)));
    if (bar) {
        // The new bar stays in sight: a dialog raised over it would hide it.
        const QRect dialogRect = m_dialog->frameGeometry();
        if (bar->frameGeometry().intersects(dialogRect))
            bar->move(dialogRect.left(), std::max(0, dialogRect.top() - bar->frameGeometry().height() - 16));
        Refresh();
        m_bars->setCurrentRow(m_bars->count() - 1);
    }
    return bar;
}

void CCustomizeToolbarsPage::RenameToolBar(CMFCToolBar* bar, const QString& name) {
    if (!bar)
        return;
    bar->SetWindowText(name);
    Refresh();
}

BOOL CCustomizeToolbarsPage::DeleteToolBar(CMFCToolBar* bar) {
    CMDIFrameWndEx* frame = m_dialog->GetFrame();
    const BOOL deleted = frame && frame->DeleteToolBar(bar);
    Refresh();
    return deleted;
}

void CCustomizeToolbarsPage::ResetToolBar(CMFCToolBar* bar) {
    CMDIFrameWndEx* frame = m_dialog->GetFrame();
    if (!bar || !frame || frame->IsUserToolBarId(bar->GetDlgCtrlID()))
        return;
    bar->ResetToolBar();
}

void CCustomizeToolbarsPage::ResetAll() {
    CMDIFrameWndEx* frame = m_dialog->GetFrame();
    if (!frame)
        return;
    for (CMFCToolBar* bar : std::vector<CMFCToolBar*>(frame->GetToolBars()))
        ResetToolBar(bar);
}

} // namespace lw
