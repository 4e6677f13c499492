#pragma once
// Accelerator translation: one application-wide key filter that sees every key
// before a focused widget (the page included) does, turns the keys of the
// accelerator table into commands for the main frame, and lets all other keys pass.

#include "framework/core/Resources.h"
#include "framework/core/Types.h"

#include <QByteArray>
#include <QKeySequence>
#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;

namespace lw {

class CFrameWnd;

// The key of an accelerator entry as the platform's key code and modifiers.
struct AcceleratorKey {
    std::uint16_t vk = 0;
    std::uint8_t modifiers = 0; // FSHIFT | FCONTROL | FALT
    bool operator==(const AcceleratorKey&) const = default;
};

// Virtual-key code and modifiers of a key event; nothing for keys without a code.
std::optional<AcceleratorKey> AcceleratorKeyFromEvent(const QKeyEvent& event);
// How the key is written beside a menu item ("Ctrl+B", "Shift+F6").
QString AcceleratorKeyText(const ACCEL& accel);
QKeySequence AcceleratorKeySequence(const ACCEL& accel);

class CKeyboardManager : public QObject {
public:
    CKeyboardManager();
    ~CKeyboardManager() override;

    // The table in force (table 128, or the user's stored version of it).
    void SetAccelerators(std::vector<ACCEL> table);
    // The resource's own table, which "Reset All" brings back; setting it sets both.
    void SetDefaultAccelerators(std::vector<ACCEL> table);
    const std::vector<ACCEL>& DefaultAccelerators() const { return m_default; }
    void ResetAll() { m_table = m_default; }
    // Binds the key to the command, taking it from whichever command had it.
    void AssignKey(const AcceleratorKey& key, UINT cmd);
    // Unbinds the key; FALSE when no command had it.
    BOOL RemoveKey(const AcceleratorKey& key);
    // Every key that sends the command, in table order.
    std::vector<ACCEL> KeysForCommand(UINT cmd) const;

    // The table's stored form ("Accelerators" under "Keyboard-0"), and back. Entries for
    // commands `isKnown` rejects, and malformed ones, are dropped with a warning; a value
    // with nothing usable leaves the table as it is.
    QByteArray SaveState() const;
    void LoadState(const QByteArray& bytes, const std::function<bool(UINT)>& isKnown);
    const std::vector<ACCEL>& Accelerators() const { return m_table; }
    // The first entry for the key, in stored order.
    const ACCEL* Find(const AcceleratorKey& key) const;
    // The first entry that sends the command (for the key shown beside a menu item).
    const ACCEL* FindForCommand(UINT cmd) const;
    // How the key that sends the command is written ("Ctrl+B"); empty when none does.
    QString KeyTextForCommand(UINT cmd) const;

    // Keys are translated for this frame while one of its windows is active.
    void SetFrame(CFrameWnd* frame, QObject* frameWidget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool belongsToFrame(QObject* watched) const;

    std::vector<ACCEL> m_table;
    std::vector<ACCEL> m_default;
    CFrameWnd* m_pFrame = nullptr;
    QObject* m_pFrameWidget = nullptr;
};

} // namespace lw
