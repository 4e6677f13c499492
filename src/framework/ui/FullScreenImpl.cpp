#include "framework/ui/FullScreenImpl.h"

#include "framework/core/SettingsStore.h"
#include "framework/core/WinApp.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/MenuBar.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBar.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QWindow>

namespace lw {

namespace {
// The workspace key while full screen lasts, spelled as stored files already have it.
const QString kFullScreenKey = QStringLiteral("FullScreeenState");
} // namespace

CFullScreenImpl::~CFullScreenImpl() { delete m_bar; }

void CFullScreenImpl::ShowFullScreen() {
    CFrameWidget* widget = m_frame->GetWidget();
    CWinApp* app = AfxGetApp();
    if (m_on || !widget)
        return;
    m_rect = widget->isMaximized() || widget->isFullScreen() ? widget->normalGeometry() : widget->geometry();
    m_wasMaximized = widget->isMaximized();
    // The layout to come back to is written first, under the workspace key in use.
    m_frame->SaveBarState();
    if (app) {
        m_previousBase = app->GetRegistryBase();
        if (CSettingsStore* store = app->GetSettingsStore())
            store->deleteKey(kFullScreenKey);
        app->SetRegistryBase(kFullScreenKey);
    }
    m_on = true;

    for (CMFCToolBar* bar : m_frame->GetToolBars())
        bar->hide();
    if (QStatusBar* status = widget->statusBar())
        status->hide();
    // The menu bar stays, docked at the top.
    if (CMenuBarPane* pane = m_frame->GetMenuPane()) {
        if (pane->isFloating() || widget->toolBarArea(pane) != Qt::TopToolBarArea || pane->isHidden()) {
            widget->addToolBar(Qt::TopToolBarArea, pane);
            pane->show();
        }
    }

    // The client area covers the whole monitor the window lies on.
    QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
    if (screen)
        widget->setGeometry(screen->geometry());
    widget->showFullScreen();

    auto* bar = new QToolBar(widget);
    bar->setWindowTitle(QStringLiteral("Full Screen"));
    bar->setObjectName(QStringLiteral("FullScreenBar"));
    // No close box: the button is the way back, and closing the bar would lose it.
    bar->setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->setMovable(false);
    QAction* close = bar->addAction(QStringLiteral("Close Full Screen"));
    const UINT command = m_command;
    CMDIFrameWndEx* frame = m_frame;
    QObject::connect(close, &QAction::triggered, widget, [frame, command] {
        if (command)
            frame->SendCommand(command);
        else
            frame->ShowFullScreen();
    });
    bar->adjustSize();
    // Wide enough for the caption to be read.
    bar->resize(std::max(bar->width(), bar->fontMetrics().horizontalAdvance(bar->windowTitle()) + 80), bar->height());
    bar->move(100, 100);
    bar->show();
    m_bar = bar;
}

void CFullScreenImpl::RestoreState() {
    if (!m_on)
        return;
    m_on = false;
    CFrameWidget* widget = m_frame->GetWidget();
    if (m_bar) {
        m_bar->hide();
        m_bar->deleteLater();
        m_bar = nullptr;
    }
    if (widget) {
        if (m_wasMaximized) {
            widget->showNormal();
            widget->setGeometry(m_rect);
            widget->showMaximized();
        } else {
            widget->showNormal();
            widget->setGeometry(m_rect);
        }
    }
    if (CWinApp* app = AfxGetApp())
        app->SetRegistryBase(m_previousBase.isEmpty() ? QStringLiteral("Workspace") : m_previousBase);
    // The bars come back as they were written on entry.
    m_frame->LoadBarState();
}

} // namespace lw
