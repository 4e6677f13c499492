#include "framework/ui/KeyboardManager.h"

#include "framework/core/FrameWnd.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

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
