#pragma once
// The status bar: a stretching message pane followed by indicator panes, each
// labelled by its string and shown while its state is on (the lock keys).

#include "framework/core/Wnd.h"

#include <QStatusBar>
#include <span>
#include <vector>

class QLabel;

namespace lw {

class CMFCStatusBar : public QStatusBar, public CWnd {
public:
    // Pane IDs the bar knows: the message pane and the lock-key indicators.
    static constexpr UINT kMessagePane = 0;
    static constexpr UINT kCapsLock = 59137;
    static constexpr UINT kNumLock = 59138;
    static constexpr UINT kScrollLock = 59139;

    explicit CMFCStatusBar(QWidget* parent = nullptr);

    BOOL Create(CWnd* frame, UINT id);
    // One pane per ID: 0 is the message pane, any other an indicator labelled by its string.
    BOOL SetIndicators(std::span<const UINT> ids);
    int GetCount() const { return int(m_panes.size()); }
    UINT GetItemID(int index) const;
    int CommandToIndex(UINT id) const;
    void SetPaneText(int index, const QString& text);
    QString GetPaneText(int index) const;
    // Whether an indicator shows its label (on) or stays blank (off).
    bool IsIndicatorOn(UINT id) const;

    // Sets every lock-key indicator from the keyboard's state.
    void OnUpdateCmdUI();

private:
    struct Pane {
        UINT id = 0;
        QLabel* label = nullptr;
        QString text;
    };
    std::vector<Pane> m_panes;
};

// The lock keys' states where the display tells them.
struct LockKeyState {
    bool known = false;
    bool caps = false;
    bool num = false;
    bool scroll = false;
};
LockKeyState AfxQueryLockKeys();

} // namespace lw
