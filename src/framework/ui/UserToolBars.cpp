// Toolbars the user makes in the Customize dialog: up to as many as the frame reserved
// control IDs for, each made empty, floating near the screen's centre, and brought back
// from the stored layout at the next start.

#include "framework/core/SettingsStore.h"
#include "framework/core/UserPrompts.h"
#include "framework/core/WinApp.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/ToolBar.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace lw {

void CMDIFrameWndEx::InitUserToolbars(UINT firstId, UINT lastId) {
    m_nFirstUserBarId = firstId;
    m_nLastUserBarId = lastId >= firstId ? lastId : firstId;
}

int CMDIFrameWndEx::GetMaxUserToolBars() const {
    return m_nFirstUserBarId ? int(m_nLastUserBarId - m_nFirstUserBarId + 1) : 0;
}

CMFCToolBar* CMDIFrameWndEx::GetUserToolBarByIndex(int slot) const {
    if (slot < 0 || slot >= GetMaxUserToolBars())
        return nullptr;
    return GetToolBar(m_nFirstUserBarId + UINT(slot));
}

CMFCToolBar* CMDIFrameWndEx::createUserToolBar(UINT id, const QString& name) {
    auto* bar = new CMFCToolBar(m_widget);
    bar->Create(this, id);
    bar->SetWindowText(name);
    bar->EnableDocking(0xF000);
    DockPane(bar);
    return bar;
}

CMFCToolBar* CMDIFrameWndEx::CreateNewToolBar(const QString& name) {
    if (!m_widget || GetMaxUserToolBars() == 0)
        return nullptr;
    for (int slot = 0; slot < GetMaxUserToolBars(); ++slot) {
        const UINT id = m_nFirstUserBarId + UINT(slot);
        if (GetToolBar(id))
            continue;
        CMFCToolBar* bar = createUserToolBar(id, name);
        const QScreen* screen = m_widget->screen() ? m_widget->screen() : QGuiApplication::primaryScreen();
        const QPoint centre = screen ? screen->availableGeometry().center() : m_widget->geometry().center();
        bar->FloatAt(centre - QPoint(bar->sizeHint().width() / 2, bar->sizeHint().height() / 2));
        return bar;
    }
    AfxMessageBox(
        QStringLiteral("You can't create more than %1 user-defined toolbars!").arg(GetMaxUserToolBars()),
        MB_OK | MB_ICONINFORMATION);
    return nullptr;
}

BOOL CMDIFrameWndEx::DeleteToolBar(CMFCToolBar* bar) {
    if (!bar || !IsUserToolBarId(bar->GetDlgCtrlID()) || GetToolBar(bar->GetDlgCtrlID()) != bar)
        return FALSE;
    m_toolBars.erase(std::remove(m_toolBars.begin(), m_toolBars.end(), bar), m_toolBars.end());
    // The bar lives on until the event loop deletes it, and this frame may be gone by then:
    // it must neither reach the frame meanwhile nor tell it when it goes.
    bar->CWnd::SetParent(nullptr);
    if (m_widget) {
        QObject::disconnect(bar, &QObject::destroyed, m_widget, nullptr);
        m_widget->removeToolBar(bar);
    }
    bar->hide();
    // The request may come from the bar's own menu, still on the stack.
    bar->deleteLater();
    return TRUE;
}

void CMDIFrameWndEx::restoreUserToolBars() {
    CWinApp* app = AfxGetApp();
    if (!app || !app->GetSettingsStore())
        return;
    const CSettingsStore& store = *app->GetSettingsStore();
    const QString base = app->GetRegistryBase() + QStringLiteral("\\MFCToolBar-");
    for (int slot = 0; slot < GetMaxUserToolBars(); ++slot) {
        const UINT id = m_nFirstUserBarId + UINT(slot);
        const QString key = base + QString::number(id);
        // A layout without this toolbar leaves its slot empty.
        if (GetToolBar(id) || !store.readBinary(key, QStringLiteral("Buttons")))
            continue;
        createUserToolBar(id, store.readString(key, QStringLiteral("Name")).value_or(QString()));
    }
}

void CMDIFrameWndEx::OnToolbarContentsChanged(CMFCToolBar*) {}

void CMDIFrameWndEx::OnKeyboardChanged() {
    for (CMFCToolBar* bar : m_toolBars)
        bar->ApplyParameters();
}

} // namespace lw
