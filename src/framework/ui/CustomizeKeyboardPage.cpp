// The Keyboard page of the Customize dialog: the keys of the main frame's table, changed
// in place so that they work at once.

#include "framework/ui/CustomizePages.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBarsCustomizeDialog.h"
#include "framework/ui/WinAppEx.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace lw {

namespace {
constexpr int kCommandRole = Qt::UserRole;

AcceleratorKey keyOf(const ACCEL& a) {
    return {a.key, std::uint8_t(a.fVirt & (FSHIFT | FCONTROL | FALT))};
}

ACCEL accelOf(const AcceleratorKey& key) {
    return {std::uint8_t(FVIRTKEY | key.modifiers), key.vk, 0};
}
} // namespace

CKeyCaptureEdit::CKeyCaptureEdit(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
}

void CKeyCaptureEdit::SetKey(std::optional<AcceleratorKey> key) {
    m_key = key;
    setText(key ? AcceleratorKeyText(accelOf(*key)) : QString());
    if (onKeyChanged)
        onKeyChanged();
}

bool CKeyCaptureEdit::event(QEvent* e) {
    // Tab and the dialog's own shortcuts are keys to assign too, while this line has the focus.
    if (e->type() == QEvent::ShortcutOverride) {
        e->accept();
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QLineEdit::event(e);
}

void CKeyCaptureEdit::keyPressEvent(QKeyEvent* e) {
    if (const std::optional<AcceleratorKey> key = AcceleratorKeyFromEvent(*e))
        SetKey(key);
}

CCustomizeKeyboardPage::CCustomizeKeyboardPage(CMFCToolBarsCustomizeDialog* dialog)
    : QWidget(dialog), m_dialog(dialog), m_category(new QComboBox(this)), m_commands(new QListWidget(this)),
      m_keys(new QListWidget(this)), m_newKey(new CKeyCaptureEdit(this)), m_assignedTo(new QLabel(this)),
      m_description(new QLabel(this)), m_assign(new QPushButton(QStringLiteral("&Assign"), this)),
      m_remove(new QPushButton(QStringLiteral("&Remove"), this)) {
    auto* app = dynamic_cast<CWinAppEx*>(AfxGetApp());
    m_keysManager = app ? app->GetKeyboardManager() : nullptr;
    auto* resetAll = new QPushButton(QStringLiteral("Reset A&ll"), this);
    m_description->setWordWrap(true);
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Category:"), this));
    left->addWidget(m_category);
    left->addWidget(new QLabel(QStringLiteral("Commands:"), this));
    left->addWidget(m_commands);
    auto* right = new QVBoxLayout;
    right->addWidget(new QLabel(QStringLiteral("Current keys:"), this));
    right->addWidget(m_keys);
    auto* newKeyLabel = new QLabel(QStringLiteral("Press &new shortcut key:"), this);
    newKeyLabel->setBuddy(m_newKey);
    right->addWidget(newKeyLabel);
    right->addWidget(m_newKey);
    right->addWidget(m_assignedTo);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {m_assign, m_remove, resetAll})
        buttons->addWidget(b);
    right->addLayout(buttons);
    auto* grid = new QGridLayout(this);
    grid->addLayout(left, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Description:"), this), 1, 0, 1, 2);
    grid->addWidget(m_description, 2, 0, 1, 2);
    setEnabled(m_keysManager != nullptr);

    for (const auto& category : dialog->GetCategories())
        m_category->addItem(category.name);
    QObject::connect(m_category, &QComboBox::currentIndexChanged, this, [this] { fillCommands(); });
    QObject::connect(m_commands, &QListWidget::currentRowChanged, this, [this] { showKeys(); });
    QObject::connect(m_keys, &QListWidget::currentRowChanged, this,
                     [this] { m_remove->setEnabled(m_keys->currentRow() >= 0); });
    m_newKey->onKeyChanged = [this] {
        const std::optional<AcceleratorKey> key = m_newKey->GetKey();
        const ACCEL* current = key && m_keysManager ? m_keysManager->Find(*key) : nullptr;
        m_assignedTo->setText(
            current ? QStringLiteral("Currently assigned to: %1").arg(m_dialog->GetCommandName(current->cmd))
                    : (key ? QStringLiteral("Currently assigned to: [unassigned]") : QString()));
        m_assign->setEnabled(key && SelectedCommand() != 0);
    };
    QObject::connect(m_assign, &QPushButton::clicked, this, [this] { Assign(); });
    QObject::connect(m_remove, &QPushButton::clicked, this, [this] { Remove(); });
    QObject::connect(resetAll, &QPushButton::clicked, this, [this] {
        if (QMessageBox::question(this, QStringLiteral("Customize"),
                                  QStringLiteral("Put every key back as it was first installed?")) ==
            QMessageBox::Yes)
            ResetAll();
    });
    fillCommands();
}

void CCustomizeKeyboardPage::fillCommands() {
    m_commands->clear();
    const auto& categories = m_dialog->GetCategories();
    const int index = m_category->currentIndex();
    if (index >= 0 && index < int(categories.size()))
        for (UINT id : categories[size_t(index)].commands) {
            auto* item = new QListWidgetItem(m_dialog->GetCommandName(id), m_commands);
            item->setData(kCommandRole, id);
        }
    if (m_commands->count() > 0)
        m_commands->setCurrentRow(0);
    showKeys();
}

UINT CCustomizeKeyboardPage::SelectedCommand() const {
    const QListWidgetItem* item = m_commands->currentItem();
    return item ? item->data(kCommandRole).toUInt() : 0;
}

void CCustomizeKeyboardPage::SelectCommand(UINT id) {
    const auto& categories = m_dialog->GetCategories();
    // "All Commands" holds every command.
    m_category->setCurrentIndex(int(categories.size()) - 1);
    for (int i = 0; i < m_commands->count(); ++i)
        if (m_commands->item(i)->data(kCommandRole).toUInt() == id)
            m_commands->setCurrentRow(i);
}

void CCustomizeKeyboardPage::showKeys() {
    m_keys->clear();
    const UINT id = SelectedCommand();
    if (m_keysManager && id)
        for (const ACCEL& a : m_keysManager->KeysForCommand(id)) {
            auto* item = new QListWidgetItem(AcceleratorKeyText(a), m_keys);
            item->setData(kCommandRole, QVariant::fromValue(quint32(a.key) | (quint32(a.fVirt) << 16)));
        }
    m_description->setText(id ? AfxCommandText(id).prompt : QString());
    m_remove->setEnabled(false);
    if (m_newKey->onKeyChanged)
        m_newKey->onKeyChanged();
}

void CCustomizeKeyboardPage::changed() {
    showKeys();
    if (CMDIFrameWndEx* frame = m_dialog->GetFrame())
        frame->OnKeyboardChanged();
}

void CCustomizeKeyboardPage::Assign() {
    const std::optional<AcceleratorKey> key = m_newKey->GetKey();
    const UINT id = SelectedCommand();
    if (!m_keysManager || !key || !id)
        return;
    m_keysManager->AssignKey(*key, id);
    m_newKey->SetKey(std::nullopt);
    changed();
}

void CCustomizeKeyboardPage::Remove() {
    const QListWidgetItem* item = m_keys->currentItem();
    if (!m_keysManager || !item)
        return;
    const quint32 packed = item->data(kCommandRole).toUInt();
    const ACCEL a{std::uint8_t(packed >> 16), std::uint16_t(packed & 0xFFFF), 0};
    m_keysManager->RemoveKey(keyOf(a));
    changed();
}

void CCustomizeKeyboardPage::ResetAll() {
    if (!m_keysManager)
        return;
    m_keysManager->ResetAll();
    changed();
}

} // namespace lw
