#include "framework/ui/StatusBar.h"

#include "framework/core/Resources.h"

#include <QFontMetrics>
#include <QLabel>

namespace lw {

CMFCStatusBar::CMFCStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
}

BOOL CMFCStatusBar::Create(CWnd* frame, UINT id) {
    if (!frame)
        return FALSE;
    CWnd::SetParent(frame);
    SetDlgCtrlID(id);
    setObjectName(QStringLiteral("StatusBar-%1").arg(id));
    return TRUE;
}

BOOL CMFCStatusBar::SetIndicators(std::span<const UINT> ids) {
    for (Pane& p : m_panes) {
        removeWidget(p.label);
        delete p.label;
    }
    m_panes.clear();
    for (UINT id : ids) {
        Pane pane;
        pane.id = id;
        pane.label = new QLabel(this);
        if (id == kMessagePane) {
            addWidget(pane.label, 1);
        } else {
            pane.text = AfxLoadString(id);
            // An indicator keeps its width whether it shows its label or not.
            pane.label->setMinimumWidth(pane.label->fontMetrics().horizontalAdvance(pane.text) + 8);
            pane.label->setAlignment(Qt::AlignCenter);
            addPermanentWidget(pane.label);
        }
        m_panes.push_back(pane);
    }
    OnUpdateCmdUI();
    return TRUE;
}

UINT CMFCStatusBar::GetItemID(int index) const {
    return index >= 0 && index < GetCount() ? m_panes[size_t(index)].id : 0;
}

int CMFCStatusBar::CommandToIndex(UINT id) const {
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[size_t(i)].id == id)
            return i;
    return -1;
}

void CMFCStatusBar::SetPaneText(int index, const QString& text) {
    if (index < 0 || index >= GetCount())
        return;
    if (m_panes[size_t(index)].label->text() != text)
        m_panes[size_t(index)].label->setText(text);
}

QString CMFCStatusBar::GetPaneText(int index) const {
    return index >= 0 && index < GetCount() ? m_panes[size_t(index)].label->text() : QString();
}

bool CMFCStatusBar::IsIndicatorOn(UINT id) const {
    const int i = CommandToIndex(id);
    return i >= 0 && !m_panes[size_t(i)].label->text().isEmpty();
}

void CMFCStatusBar::OnUpdateCmdUI() {
    const LockKeyState keys = AfxQueryLockKeys();
    for (int i = 0; i < GetCount(); ++i) {
        const Pane& pane = m_panes[size_t(i)];
        bool on = false;
        if (pane.id == kCapsLock)
            on = keys.caps;
        else if (pane.id == kNumLock)
            on = keys.num;
        else if (pane.id == kScrollLock)
            on = keys.scroll;
        else
            continue;
        SetPaneText(i, on ? pane.text : QString());
    }
}

} // namespace lw
