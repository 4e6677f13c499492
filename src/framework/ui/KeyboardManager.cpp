#include "framework/ui/KeyboardManager.h"

#include "framework/core/FrameWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QtDebug>

namespace lw {

std::optional<AcceleratorKey> AcceleratorKeyFromEvent(const QKeyEvent& event) {
    const int key = event.key();
    std::uint16_t vk = 0;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        vk = static_cast<std::uint16_t>(0x41 + (key - Qt::Key_A));
    else if (key >= Qt::Key_0 && key <= Qt::Key_9)
        vk = static_cast<std::uint16_t>(0x30 + (key - Qt::Key_0));
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        vk = static_cast<std::uint16_t>(0x70 + (key - Qt::Key_F1));
    else if (key == Qt::Key_Delete)
        vk = 0x2E;
    else if (key == Qt::Key_Insert)
        vk = 0x2D;
    else if (key == Qt::Key_Backtab)
        vk = 0x09; // Shift+Tab arrives as its own key
    else
        return std::nullopt;
    const Qt::KeyboardModifiers mods = event.modifiers();
    AcceleratorKey result;
    result.vk = vk;
    if (mods & Qt::ShiftModifier || key == Qt::Key_Backtab)
        result.modifiers |= FSHIFT;
    if (mods & Qt::ControlModifier)
        result.modifiers |= FCONTROL;
    if (mods & Qt::AltModifier)
        result.modifiers |= FALT;
    return result;
}

QKeySequence AcceleratorKeySequence(const ACCEL& accel) {
    int key = 0;
    if (accel.key >= 0x41 && accel.key <= 0x5A)
        key = Qt::Key_A + (accel.key - 0x41);
    else if (accel.key >= 0x30 && accel.key <= 0x39)
        key = Qt::Key_0 + (accel.key - 0x30);
    else if (accel.key >= 0x70 && accel.key <= 0x87)
        key = Qt::Key_F1 + (accel.key - 0x70);
    else if (accel.key == 0x2E)
        key = Qt::Key_Delete;
    else if (accel.key == 0x2D)
        key = Qt::Key_Insert;
    else
        return {};
    int mods = 0;
    if (accel.fVirt & FSHIFT)
        mods |= Qt::SHIFT;
    if (accel.fVirt & FCONTROL)
        mods |= Qt::CTRL;
    if (accel.fVirt & FALT)
        mods |= Qt::ALT;
    return QKeySequence(key | mods);
}

QString AcceleratorKeyText(const ACCEL& accel) {
    return AcceleratorKeySequence(accel).toString(QKeySequence::NativeText);
}

CKeyboardManager::CKeyboardManager() {
    qApp->installEventFilter(this);
}

CKeyboardManager::~CKeyboardManager() {
    if (qApp)
        qApp->removeEventFilter(this);
}

void CKeyboardManager::SetAccelerators(std::vector<ACCEL> table) {
    m_table = std::move(table);
}

void CKeyboardManager::SetDefaultAccelerators(std::vector<ACCEL> table) {
    m_default = table;
    m_table = std::move(table);
}

namespace {
bool sameKey(const ACCEL& a, const AcceleratorKey& key) {
    return (a.fVirt & FVIRTKEY) && a.key == key.vk && (a.fVirt & (FSHIFT | FCONTROL | FALT)) == key.modifiers;
}
// More entries than any keyboard has keys: a longer stored table is damaged.
constexpr size_t kMaxStoredAccelerators = 2048;
constexpr int kStoredEntrySize = 8;
} // namespace

void CKeyboardManager::AssignKey(const AcceleratorKey& key, UINT cmd) {
    RemoveKey(key);
    m_table.push_back({std::uint8_t(FVIRTKEY | key.modifiers), key.vk, std::uint16_t(cmd)});
}

BOOL CKeyboardManager::RemoveKey(const AcceleratorKey& key) {
    return std::erase_if(m_table, [&](const ACCEL& a) { return sameKey(a, key); }) > 0 ? TRUE : FALSE;
}

std::vector<ACCEL> CKeyboardManager::KeysForCommand(UINT cmd) const {
    std::vector<ACCEL> keys;
    for (const ACCEL& a : m_table)
        if (a.cmd == cmd)
            keys.push_back(a);
    return keys;
}

QByteArray CKeyboardManager::SaveState() const {
    QByteArray bytes;
    for (size_t i = 0; i < m_table.size(); ++i) {
        const ACCEL& a = m_table[i];
        const std::uint8_t flags = std::uint8_t(a.fVirt | (i + 1 == m_table.size() ? FLASTKEY : 0));
        const char entry[kStoredEntrySize] = {
            char(flags), 0, char(a.key & 0xFF), char(a.key >> 8), char(a.cmd & 0xFF), char(a.cmd >> 8), 0, 0};
        bytes.append(entry, kStoredEntrySize);
    }
    return bytes;
}

void CKeyboardManager::LoadState(const QByteArray& bytes, const std::function<bool(UINT)>& isKnown) {
    std::vector<ACCEL> table;
    for (qsizetype i = 0; i + kStoredEntrySize <= bytes.size(); i += kStoredEntrySize) {
        if (table.size() == kMaxStoredAccelerators) {
            qWarning("The stored key table holds more than %zu keys; the rest are dropped",
                     kMaxStoredAccelerators);
            break;
        }
        const auto byte = [&](qsizetype at) { return std::uint16_t(quint8(bytes[i + at])); };
        const ACCEL a{std::uint8_t(byte(0) & ~FLASTKEY), std::uint16_t(byte(2) | (byte(3) << 8)),
                      std::uint16_t(byte(4) | (byte(5) << 8))};
        if (!(a.fVirt & FVIRTKEY) || a.cmd == 0 || (isKnown && !isKnown(a.cmd))) {
            qWarning("Stored key for command %u names no command and is dropped", unsigned(a.cmd));
            continue;
        }
        table.push_back(a);
    }
    if (bytes.size() % kStoredEntrySize)
        qWarning("The stored key table ends in a partial entry, which is ignored");
    if (table.empty() && !bytes.isEmpty()) {
        qWarning("The stored key table holds no usable key; the built-in keys stay");
        return;
    }
    if (!bytes.isEmpty())
        m_table = std::move(table);
}

const ACCEL* CKeyboardManager::Find(const AcceleratorKey& key) const {
    for (const ACCEL& a : m_table) {
        if (!(a.fVirt & FVIRTKEY) || a.key != key.vk)
            continue;
        if ((a.fVirt & (FSHIFT | FCONTROL | FALT)) == key.modifiers)
            return &a;
    }
    return nullptr;
}

const ACCEL* CKeyboardManager::FindForCommand(UINT cmd) const {
    for (const ACCEL& a : m_table) {
        if (a.cmd == cmd)
            return &a;
    }
    return nullptr;
}

QString CKeyboardManager::KeyTextForCommand(UINT cmd) const {
    const ACCEL* accel = FindForCommand(cmd);
    return accel ? AcceleratorKeyText(*accel) : QString();
}

void CKeyboardManager::SetFrame(CFrameWnd* frame, QObject* frameWidget) {
    m_pFrame = frame;
    m_pFrameWidget = frameWidget;
}

bool CKeyboardManager::belongsToFrame(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !m_pFrameWidget)
        return false;
    // Keys typed in dialogs and other top-level windows are theirs.
    return widget->window() == m_pFrameWidget;
}

bool CKeyboardManager::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress)
        return false;
    if (!m_pFrame || !belongsToFrame(watched))
        return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    const std::optional<AcceleratorKey> key = AcceleratorKeyFromEvent(*keyEvent);
    if (!key)
        return false;
    const ACCEL* accel = Find(*key);
    if (!accel)
        return false;
    if (type == QEvent::ShortcutOverride) {
        // Claim the key so that neither a widget's own shortcut nor the page sees it.
        event->accept();
        return true;
    }
    // The frame tests the command's update state first: a disabled command's key does
    // nothing, and the key is consumed either way.
    m_pFrame->SendCommand(accel->cmd);
    return true;
}

} // namespace lw
