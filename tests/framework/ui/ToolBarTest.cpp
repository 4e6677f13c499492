// Toolbars, their controls and the status bar on a bare frame: buttons follow the
// route's update answers, clicks and control notifications reach handlers with the
// right codes, the options menu adds and removes buttons, colours are shared, docked
// bars lay out as Qt's own would, and a floating bar wraps to the width it is given.

#include "framework/ui/ToolBar.h"
#include "framework/core/SettingsStore.h"
#include "framework/ui/ColorMenuButton.h"
#include "framework/ui/MDIFrameWndEx.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/ToolBarComboBoxButton.h"
#include "framework/ui/ToolBarFontComboBox.h"
#include "framework/ui/WinAppEx.h"
#include "resources/CommandIds.h"
#include "resources/ProgramImages.h"
#include "resources/ProgramResources.h"
#include "support/WaitFor.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QWidgetAction>
#include <gtest/gtest.h>
#include <set>

using namespace lw;

namespace {

class BarFrame : public CMDIFrameWndEx {
    DECLARE_MESSAGE_MAP()
public:
    bool pasteEnabled = true;
    std::vector<UINT> commands;
    std::vector<std::pair<int, CWnd*>> sizeNotifications;
    std::vector<WPARAM> resets;

    void OnCut() { commands.push_back(ID_EDIT_CUT); }
    void OnForeColor() { commands.push_back(ID_FORMAT_FORE_COLOR); }
    void OnPaste() { commands.push_back(ID_EDIT_PASTE); }
    void OnUpdatePaste(CCmdUI* ui) { ui->Enable(pasteEnabled); }
    void OnSizeCloseUp() { sizeNotifications.push_back({CBN_CLOSEUP, sender()}); }
    void OnSizeSelEnd() { sizeNotifications.push_back({CBN_SELENDOK, sender()}); }
    LRESULT OnReset(WPARAM w, LPARAM) {
        resets.push_back(w);
        return 0;
    }
    // The control that sent the command being handled.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        m_sender = reinterpret_cast<CWnd*>(lParam);
        return CMDIFrameWndEx::OnCommand(wParam, lParam);
    }
    CWnd* sender() const { return m_sender; }
    CWnd* m_sender = nullptr;
};

// clang-format off
BEGIN_MESSAGE_MAP(BarFrame, CMDIFrameWndEx)
    ON_COMMAND(ID_EDIT_CUT, &BarFrame::OnCut)
    ON_COMMAND(ID_FORMAT_FORE_COLOR, &BarFrame::OnForeColor)
    ON_COMMAND(ID_EDIT_PASTE, &BarFrame::OnPaste)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, &BarFrame::OnUpdatePaste)
    ON_CONTROL(CBN_CLOSEUP, ID_FORMAT_FONT_SIZE, &BarFrame::OnSizeCloseUp)
    ON_CONTROL(CBN_SELENDOK, ID_FORMAT_FONT_SIZE, &BarFrame::OnSizeSelEnd)
    ON_REGISTERED_MESSAGE("TOOLBAR_RESETTOOLBAR", &BarFrame::OnReset)
END_MESSAGE_MAP()
// clang-format on

struct ToolBarFixture : ::testing::Test {
    CWinAppEx app;
    BarFrame* frame = nullptr;
    CMFCToolBar* bar = nullptr;

    static void SetUpTestSuite() {
        RegisterProgramResources();
        RegisterProgramImages();
    }
    void SetUp() override {
        app.SetRegistryKey(QStringLiteral("Tarn"));
        frame = new BarFrame;
        ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
        app.m_pMainWnd = frame;
        bar = new CMFCToolBar(frame->GetWidget());
        ASSERT_TRUE(bar->Create(frame, ID_VIEW_TOOLBAR));
        ASSERT_TRUE(bar->LoadToolBar(IDR_MAINFRAME_256));
        frame->DockPane(bar);
    }
    void TearDown() override {
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        app.DelRegTree();
    }
    QAction* action(UINT id) const { return bar->GetAction(bar->CommandToIndex(id)); }
    QWidget* button(UINT id) const { return bar->GetButtonWidget(bar->CommandToIndex(id)); }

    void show() {
        frame->GetWidget()->setGeometry(50, 50, 1200, 700);
        frame->ActivateFrame(SW_SHOWNORMAL);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame->GetWidget()));
    }
    static void send(QWidget* w, QEvent::Type type, QPoint global, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QMouseEvent e(type, w->mapFromGlobal(global), global, Qt::LeftButton, buttons, mods);
        QApplication::sendEvent(w, &e);
    }
    // Drags the bar by its handle well below the window, as a user floats it.
    void floatBar() {
        show();
        const QPoint start = bar->mapToGlobal(QPoint(4, bar->height() / 2));
        send(bar, QEvent::MouseButtonPress, start, Qt::LeftButton);
        for (int y = 60; y <= 600; y += 30)
            send(bar, QEvent::MouseMove, start + QPoint(0, y), Qt::LeftButton);
        send(bar, QEvent::MouseButtonRelease, start + QPoint(0, 600), Qt::NoButton);
        ASSERT_TRUE(bar->isFloating());
        QCoreApplication::processEvents();
    }
    // Drags a floating bar's edge from `at` (bar coordinates) by `delta`.
    void dragEdge(QPoint at, QPoint delta) {
        const QPoint start = bar->mapToGlobal(at);
        send(bar, QEvent::MouseButtonPress, start, Qt::LeftButton);
        send(bar, QEvent::MouseMove, start + delta / 2, Qt::LeftButton);
        send(bar, QEvent::MouseMove, start + delta, Qt::LeftButton);
        send(bar, QEvent::MouseButtonRelease, start + delta, Qt::NoButton);
        QCoreApplication::processEvents();
    }
    // The rows (distinct tops) of the bar's buttons, and whether each lies inside the bar.
    int rows() const {
        std::set<int> tops;
        for (int i = 0; i < bar->GetCount(); ++i)
            if (bar->GetItemID(i) != 0)
                tops.insert(bar->GetButtonWidget(i)->mapTo(bar, QPoint(0, 0)).y());
        return int(tops.size());
    }
    bool allButtonsInside() const {
        for (int i = 0; i < bar->GetCount(); ++i) {
            if (bar->GetItemID(i) == 0)
                continue;
            QWidget* w = bar->GetButtonWidget(i);
            if (!bar->rect().contains(QRect(w->mapTo(bar, QPoint(0, 0)), w->size())))
                return false;
        }
        return true;
    }
};

TEST_F(ToolBarFixture, LoadingSetsTheResourceButtonsAndTellsTheFrame) {
    EXPECT_EQ(bar->GetButtons(), bar->GetOriginalItems());
    EXPECT_EQ(bar->GetCount(), 17);
    EXPECT_EQ(bar->iconSize(), QSize(16, 16));
    ASSERT_EQ(frame->resets.size(), 1u);
    EXPECT_EQ(frame->resets[0], IDR_MAINFRAME_256);
    EXPECT_EQ(action(ID_EDIT_CUT)->toolTip(), QStringLiteral("Cut"));
    bar->ResetToolBar();
    EXPECT_EQ(frame->resets.size(), 2u);
}

TEST_F(ToolBarFixture, IdleUpdateEnablesButtonsThroughTheRoute) {
    frame->OnIdleUpdateCmdUI();
    EXPECT_TRUE(action(ID_EDIT_CUT)->isEnabled());   // a handler exists
    EXPECT_FALSE(action(ID_EDIT_COPY)->isEnabled()); // nobody handles it
    EXPECT_TRUE(action(ID_EDIT_PASTE)->isEnabled()); // its update handler says so
    frame->pasteEnabled = false;
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(action(ID_EDIT_PASTE)->isEnabled());
    EXPECT_TRUE(action(ID_EDIT_CUT)->isEnabled());
}

TEST_F(ToolBarFixture, AClickSendsTheCommandUnlessItsUpdateHandlerDisablesIt) {
    action(ID_EDIT_CUT)->trigger();
    action(ID_EDIT_PASTE)->trigger();
    frame->pasteEnabled = false;
    action(ID_EDIT_PASTE)->trigger();
    EXPECT_EQ(frame->commands, (std::vector<UINT>{ID_EDIT_CUT, ID_EDIT_PASTE}));
}

TEST_F(ToolBarFixture, HoveringAButtonShowsItsPromptInTheStatusBar) {
    action(ID_EDIT_CUT)->hover();
    EXPECT_EQ(frame->GetMessageText(), AfxCommandText(ID_EDIT_CUT).prompt);
}

TEST_F(ToolBarFixture, TheOptionsMenuRemovesAndPutsBackButtonsInResourceOrder) {
    bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, QStringLiteral("Customize..."));
    QMenu* menu = bar->BuildOptionsMenu();
    ASSERT_NE(menu, nullptr);
    QMenu* buttons = menu->actions().value(0)->menu();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(menu->actions().value(0)->text(), QStringLiteral("&Add or Remove Buttons"));
    EXPECT_EQ(menu->actions().last()->text(), QStringLiteral("Customize..."));
    QAction* copyItem = nullptr;
    for (QAction* a : buttons->actions())
        if (a->text() == QStringLiteral("Copy"))
            copyItem = a;
    ASSERT_NE(copyItem, nullptr);
    const int copyAt = bar->CommandToIndex(ID_EDIT_COPY);
    copyItem->setChecked(false);
    EXPECT_EQ(bar->CommandToIndex(ID_EDIT_COPY), -1);
    copyItem->setChecked(true);
    EXPECT_EQ(bar->CommandToIndex(ID_EDIT_COPY), copyAt);
    // The customise button stays the last thing on the bar.
    show();
    QWidget* last = bar->GetButtonWidget(bar->GetCount() - 1);
    ASSERT_NE(last, nullptr);
    EXPECT_GT(bar->GetCustomizeButton()->x(), last->x() + last->width() - 1);
    EXPECT_TRUE(bar->GetCustomizeButton()->isVisible());
}

TEST_F(ToolBarFixture, AltDraggingAButtonMovesItToAnotherBarWithoutSendingIt) {
    auto* other = new CMFCToolBar(frame->GetWidget());
    ASSERT_TRUE(other->Create(frame, 59400));
    ASSERT_TRUE(other->LoadToolBar(IDR_INSERT_BAR_256));
    frame->DockPane(other);
    frame->GetWidget()->addToolBarBreak();
    frame->ActivateFrame(SW_SHOWNORMAL);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame->GetWidget()));
    QWidget* cut = button(ID_EDIT_CUT);
    ASSERT_NE(cut, nullptr);
    auto send = [](QWidget* w, QEvent::Type type, QPoint global, Qt::KeyboardModifiers mods) {
        QMouseEvent e(type, w->mapFromGlobal(global), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, mods);
        QApplication::sendEvent(w, &e);
    };
    const QPoint from = cut->mapToGlobal(cut->rect().center());
    QWidget* firstOther = other->GetButtonWidget(0);
    const QPoint to = firstOther->mapToGlobal(QPoint(1, firstOther->height() / 2));
    ASSERT_EQ(QApplication::widgetAt(to), firstOther);
    send(cut, QEvent::MouseButtonPress, from, Qt::AltModifier);
    send(cut, QEvent::MouseMove, to, Qt::AltModifier);
    send(cut, QEvent::MouseButtonRelease, to, Qt::AltModifier);
    EXPECT_EQ(bar->CommandToIndex(ID_EDIT_CUT), -1);
    EXPECT_EQ(other->CommandToIndex(ID_EDIT_CUT), 0);
    EXPECT_TRUE(frame->commands.empty());

    // Without Alt a press and release is a click.
    QWidget* moved = other->GetButtonWidget(0);
    const QPoint at = moved->mapToGlobal(moved->rect().center());
    send(moved, QEvent::MouseButtonPress, at, Qt::NoModifier);
    send(moved, QEvent::MouseButtonRelease, at, Qt::NoModifier);
    EXPECT_EQ(other->CommandToIndex(ID_EDIT_CUT), 0);
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_EDIT_CUT});
}

TEST_F(ToolBarFixture, DockedBarsPlaceTheirButtonsWhereQtsOwnToolBarWould) {
    bar->EnableDocking(CBRS_ALIGN_ANY);
    bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, QStringLiteral("Customize..."));
    // Qt's bar with the same items, in a line of its own.
    auto* reference = new QToolBar(frame->GetWidget());
    reference->setIconSize(bar->iconSize());
    for (int i = 0; i < bar->GetCount(); ++i) {
        if (bar->GetItemID(i) == 0)
            reference->addSeparator();
        else
            reference->addAction(bar->GetAction(i)->icon(), bar->GetAction(i)->text());
    }
    auto* options = new QToolButton;
    options->setAutoRaise(true);
    options->setPopupMode(QToolButton::InstantPopup);
    options->setMenu(new QMenu(options));
    reference->addWidget(options);
    show();
    for (Qt::ToolBarArea area : {Qt::TopToolBarArea, Qt::LeftToolBarArea}) {
        QMainWindow* window = frame->GetWidget();
        window->addToolBar(area, bar);
        window->addToolBarBreak(area);
        window->addToolBar(area, reference);
        const Qt::Orientation o = area == Qt::TopToolBarArea ? Qt::Horizontal : Qt::Vertical;
        const QList<QAction*> theirs = reference->actions();
        ASSERT_EQ(theirs.size(), bar->GetCount() + 1);
        auto mine = [&](int i) {
            QWidget* w = i < bar->GetCount() ? bar->GetButtonWidget(i) : bar->GetCustomizeButton();
            return QRect(w->mapTo(bar, QPoint()), w->size());
        };
        auto same = [&] {
            for (int i = 0; i <= bar->GetCount(); ++i)
                if (mine(i) != reference->widgetForAction(theirs[i])->geometry())
                    return false;
            return bar->orientation() == o && reference->orientation() == o;
        };
        lwtest::waitFor(same, 1000);
        for (int i = 0; i <= bar->GetCount(); ++i)
            EXPECT_EQ(mine(i), reference->widgetForAction(theirs[i])->geometry()) << area << " item " << i;
        // One row or one column.
        if (o == Qt::Horizontal) {
            EXPECT_EQ(rows(), 1);
            EXPECT_EQ(bar->height(), reference->height());
        } else {
            EXPECT_EQ(button(ID_EDIT_CUT)->x(), button(ID_EDIT_PASTE)->x());
            EXPECT_LT(button(ID_EDIT_CUT)->y(), button(ID_EDIT_PASTE)->y());
            EXPECT_EQ(bar->width(), reference->width());
        }
    }
}

TEST_F(ToolBarFixture, ADockedBarTooShortKeepsItsOptionsButtonAndLetsTheWindowNarrow) {
    bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, QStringLiteral("Customize..."));
    show();
    const int full = bar->sizeHint().width();
    EXPECT_LT(bar->minimumSizeHint().width(), full / 4);
    frame->GetWidget()->resize(full * 2 / 3, 500);
    ASSERT_TRUE(lwtest::waitFor([&] { return bar->width() <= full * 2 / 3; }, 3000)) << bar->width();
    QToolButton* options = bar->GetCustomizeButton();
    const QRect shown(options->mapTo(bar, QPoint()), options->size());
    EXPECT_TRUE(bar->rect().contains(shown));
    // Buttons that no longer fit are out of sight, not drawn over the options button.
    for (int i = 0; i < bar->GetCount(); ++i) {
        QWidget* w = bar->GetButtonWidget(i);
        const QRect r(w->mapTo(bar, QPoint()), w->size());
        EXPECT_FALSE(r.intersects(shown)) << i;
    }
}

TEST_F(ToolBarFixture, AFloatingBarWrapsItsButtonsToTheWidthItsEdgesAreDraggedTo) {
    bar->EnableCustomizeButton(TRUE, ID_VIEW_CUSTOMIZE, QStringLiteral("Customize..."));
    ASSERT_NO_FATAL_FAILURE(floatBar());
    const QSize oneRow = bar->size();
    EXPECT_EQ(rows(), 1);
    // The options button floats with the bar, inside it.
    QToolButton* options = bar->GetCustomizeButton();
    EXPECT_TRUE(options->isVisible());
    EXPECT_TRUE(bar->rect().contains(QRect(options->mapTo(bar, QPoint(0, 0)), options->size())))
        << options->mapTo(bar, QPoint(0, 0)).x() << " " << options->width() << " " << bar->width();

    // Near an edge the pointer offers to resize; over the buttons it does not.
    send(bar, QEvent::MouseMove, bar->mapToGlobal(QPoint(oneRow.width() - 2, oneRow.height() / 2)),
         Qt::NoButton);
    EXPECT_EQ(bar->cursor().shape(), Qt::SizeHorCursor);
    send(bar, QEvent::MouseMove, bar->mapToGlobal(QPoint(oneRow.width() - 2, oneRow.height() - 1)),
         Qt::NoButton);
    EXPECT_EQ(bar->cursor().shape(), Qt::SizeFDiagCursor);
    send(bar, QEvent::MouseMove, bar->mapToGlobal(QPoint(oneRow.width() / 2, 3)), Qt::NoButton);
    EXPECT_NE(bar->cursor().shape(), Qt::SizeHorCursor);

    // The right edge dragged to half the width: more rows, a taller bar, nothing cut off.
    dragEdge(QPoint(oneRow.width() - 2, oneRow.height() / 2), QPoint(-oneRow.width() / 2, 0));
    EXPECT_GE(rows(), 2);
    EXPECT_LE(bar->width(), oneRow.width() / 2 + 1);
    EXPECT_GT(bar->height(), oneRow.height());
    EXPECT_TRUE(allButtonsInside());
    EXPECT_TRUE(bar->rect().contains(QRect(options->mapTo(bar, QPoint()), options->size())));
    // A separator shows only between two buttons of one row.
    int separators = 0;
    for (int i = 1; i + 1 < bar->GetCount(); ++i) {
        QWidget* separator = bar->GetButtonWidget(i);
        if (bar->GetItemID(i) != 0 || separator->visibleRegion().isEmpty())
            continue;
        ++separators;
        EXPECT_EQ(bar->GetButtonWidget(i - 1)->y(), separator->y()) << i;
        EXPECT_EQ(bar->GetButtonWidget(i + 1)->y(), separator->y()) << i;
    }
    EXPECT_GT(separators, 0);

    // As narrow as it goes: one column.
    dragEdge(QPoint(bar->width() - 2, 4), QPoint(-2000, 0));
    std::set<int> lefts;
    for (int i = 0; i < bar->GetCount(); ++i)
        if (bar->GetItemID(i) != 0)
            lefts.insert(bar->GetButtonWidget(i)->x());
    EXPECT_EQ(lefts.size(), 1u);
    EXPECT_TRUE(allButtonsInside());

    // Wide again: one row, the first size.
    dragEdge(QPoint(bar->width() - 2, 4), QPoint(3000, 0));
    EXPECT_EQ(rows(), 1);
    EXPECT_EQ(bar->size(), oneRow);

    // The bottom edge dragged down asks for rows; the width follows.
    dragEdge(QPoint(oneRow.width() / 2, oneRow.height() - 2), QPoint(0, 2 * oneRow.height()));
    EXPECT_GE(rows(), 3);
    EXPECT_LT(bar->width(), oneRow.width() / 2);
    EXPECT_TRUE(allButtonsInside());

    // The left edge dragged right narrows the bar and leaves its right edge in place.
    dragEdge(QPoint(bar->width() - 2, 4), QPoint(3000, 0));
    const int right = bar->geometry().right();
    dragEdge(QPoint(1, bar->height() / 2), QPoint(oneRow.width() / 3, 0));
    EXPECT_GE(rows(), 2);
    EXPECT_EQ(bar->geometry().right(), right);

    // Docked again, the buttons stand in one row.
    frame->GetWidget()->addToolBar(Qt::TopToolBarArea, bar);
    ASSERT_FALSE(bar->isFloating());
    EXPECT_TRUE(lwtest::waitFor([&] { return rows() == 1; }, 3000));
}

TEST_F(ToolBarFixture, AFloatingBarsRowsComeBackWithTheWindowsSavedLayout) {
    ASSERT_NO_FATAL_FAILURE(floatBar());
    dragEdge(QPoint(bar->width() - 2, bar->height() / 2), QPoint(-bar->width() * 2 / 3, 0));
    const int wrapped = rows();
    ASSERT_GE(wrapped, 2);
    const QSize size = bar->size();
    const QByteArray state = frame->GetWidget()->saveState();
    // The same bar in a new window, as the next run builds it, then the saved layout.
    app.m_pMainWnd = nullptr;
    frame->DestroyWindow();
    frame = new BarFrame;
    ASSERT_TRUE(frame->LoadFrame(IDR_MAINFRAME, nullptr, nullptr));
    app.m_pMainWnd = frame;
    bar = new CMFCToolBar(frame->GetWidget());
    ASSERT_TRUE(bar->Create(frame, ID_VIEW_TOOLBAR));
    ASSERT_TRUE(bar->LoadToolBar(IDR_MAINFRAME_256));
    frame->DockPane(bar);
    ASSERT_TRUE(frame->GetWidget()->restoreState(state));
    show();
    ASSERT_TRUE(lwtest::waitFor([&] { return bar->isFloating() && bar->size() == size; }, 3000))
        << bar->width() << "x" << bar->height();
    EXPECT_EQ(rows(), wrapped);
    EXPECT_TRUE(allButtonsInside());
}

TEST_F(ToolBarFixture, AWrappedFloatingBarsButtonsStillClickUpdateAndMove) {
    ASSERT_NO_FATAL_FAILURE(floatBar());
    dragEdge(QPoint(bar->width() - 2, bar->height() / 2), QPoint(-bar->width() / 2, 0));
    ASSERT_GE(rows(), 2);

    QTest::mouseClick(button(ID_EDIT_CUT), Qt::LeftButton);
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_EDIT_CUT});
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(button(ID_EDIT_COPY)->isEnabled());
    EXPECT_TRUE(button(ID_EDIT_CUT)->isEnabled());

    // A button dropped at the start of the second row takes that place.
    const int firstTop = bar->GetButtonWidget(0)->y();
    int secondRow = -1;
    for (int i = 0; i < bar->GetCount() && secondRow < 0; ++i)
        if (bar->GetButtonWidget(i)->y() > firstTop)
            secondRow = i;
    ASSERT_GT(secondRow, 1);
    QWidget* target = bar->GetButtonWidget(secondRow);
    const QPoint drop = target->mapTo(bar, QPoint(1, target->height() / 2));
    EXPECT_EQ(bar->DropIndexAt(drop), secondRow);
    // Past the end of the first row is after its last button, not the bar's.
    int lastOfFirst = 0;
    for (int i = 0; i < secondRow; ++i)
        if (bar->GetItemID(i) != 0)
            lastOfFirst = i;
    const int firstRowY = bar->GetButtonWidget(0)->mapTo(bar, QPoint(0, 2)).y();
    EXPECT_EQ(bar->DropIndexAt(QPoint(bar->width() - 1, firstRowY)), lastOfFirst + 1);

    const UINT moved = bar->GetItemID(0);
    QWidget* first = bar->GetButtonWidget(0);
    const QPoint from = first->mapToGlobal(first->rect().center());
    const QPoint to = target->mapToGlobal(QPoint(1, target->height() / 2));
    ASSERT_EQ(QApplication::widgetAt(to), target);
    send(first, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::AltModifier);
    send(first, QEvent::MouseMove, to, Qt::LeftButton, Qt::AltModifier);
    send(first, QEvent::MouseButtonRelease, to, Qt::NoButton, Qt::AltModifier);
    EXPECT_EQ(bar->GetItemID(secondRow - 1), moved);
    EXPECT_EQ(frame->commands.size(), 1u);
}

TEST_F(ToolBarFixture, StoredButtonsNamingNoCommandAreDropped) {
    const UINT stored[] = {ID_EDIT_CUT, 0, 0xFFF0, ID_EDIT_PASTE};
    bar->SetButtons(stored);
    EXPECT_EQ(bar->GetButtons(), (std::vector<UINT>{ID_EDIT_CUT, 0, ID_EDIT_PASTE}));
}

TEST_F(ToolBarFixture, AStoredButtonListLongerThanABarHoldsIsCut) {
    // Fifty thousand stored buttons once kept the window from ever showing.
    CSettingsStore& store = *app.GetSettingsStore();
    const QString base = app.GetRegistryBase() + QLatin1Char('\\');
    ASSERT_TRUE(store.writeDWord(base + QStringLiteral("ControlBarVersion"), QStringLiteral("Major"), 14));
    ASSERT_TRUE(store.writeDWord(base + QStringLiteral("ControlBarVersion"), QStringLiteral("Minor"), 44));
    QByteArray ids;
    for (int i = 0; i < 1000; ++i)
        ids.append(char(ID_EDIT_CUT & 0xFF)).append(char(ID_EDIT_CUT >> 8));
    ASSERT_TRUE(store.writeBinary(base + QStringLiteral("MFCToolBar-%1").arg(ID_VIEW_TOOLBAR),
                                  QStringLiteral("Buttons"), ids));
    ASSERT_TRUE(frame->LoadBarState());
    EXPECT_EQ(bar->GetCount(), 256);
}

TEST_F(ToolBarFixture, AReplacedButtonIsAControlThatNotifiesWithItsCodeAndItself) {
    auto box = std::make_unique<CMFCToolBarComboBoxButton>(ID_FORMAT_FONT_SIZE, -1, CBS_DROPDOWNLIST, 50);
    CMFCToolBarComboBoxButton* raw = box.get();
    for (const char* s : {"8", "10", "12"})
        box->AddItem(QLatin1String(s));
    // Not on this bar: the control is refused.
    EXPECT_EQ(bar->ReplaceButton(ID_FORMAT_FONT_SIZE, std::move(box)), -1);

    const UINT stored[] = {ID_EDIT_CUT, ID_FORMAT_FONT_SIZE, ID_EDIT_PASTE};
    bar->SetButtons(stored);
    box = std::make_unique<CMFCToolBarComboBoxButton>(ID_FORMAT_FONT_SIZE, -1, CBS_DROPDOWNLIST, 50);
    raw = box.get();
    for (const char* s : {"8", "10", "12"})
        box->AddItem(QLatin1String(s));
    EXPECT_EQ(bar->ReplaceButton(ID_FORMAT_FONT_SIZE, std::move(box)), 1);
    EXPECT_EQ(bar->GetControl(1), raw);
    EXPECT_EQ(raw->width(), 50);

    // Setting the shown value tells nobody.
    EXPECT_TRUE(raw->SetText(QStringLiteral("10")));
    EXPECT_EQ(raw->GetCurSel(), 1);
    EXPECT_FALSE(raw->SetText(QStringLiteral("11")));
    EXPECT_EQ(raw->GetCurSel(), -1);
    EXPECT_TRUE(frame->sizeNotifications.empty());

    // Opening the list and closing it without a choice still sends the close-up.
    raw->showPopup();
    raw->hidePopup();
    ASSERT_TRUE(lwtest::waitFor([&] { return !frame->sizeNotifications.empty(); }));
    EXPECT_EQ(frame->sizeNotifications[0].first, CBN_CLOSEUP);
    EXPECT_EQ(frame->sizeNotifications[0].second, static_cast<CWnd*>(raw));

    // A choice sends the completed selection.
    frame->sizeNotifications.clear();
    raw->activated(2);
    ASSERT_EQ(frame->sizeNotifications.size(), 1u);
    EXPECT_EQ(frame->sizeNotifications[0].first, CBN_SELENDOK);
}

TEST_F(ToolBarFixture, AControlIsEnabledWhenSomeHandlerTakesOneOfItsCodes) {
    const UINT stored[] = {ID_FORMAT_FONT_SIZE, ID_FORMAT_FONT_NAME};
    bar->SetButtons(stored);
    bar->ReplaceButton(ID_FORMAT_FONT_SIZE, std::make_unique<CMFCToolBarComboBoxButton>(
                                                ID_FORMAT_FONT_SIZE, -1, CBS_DROPDOWNLIST, 50));
    bar->ReplaceButton(ID_FORMAT_FONT_NAME,
                       std::make_unique<CMFCToolBarFontComboBox>(ID_FORMAT_FONT_NAME, -1));
    frame->OnIdleUpdateCmdUI();
    EXPECT_TRUE(bar->GetControl(0)->GetWidget()->isEnabled());
    EXPECT_FALSE(bar->GetControl(1)->GetWidget()->isEnabled());
    // Its owner can keep it off while the route offers it, until it allows it again.
    bar->GetControl(0)->AllowEnable(false);
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(bar->GetControl(0)->GetWidget()->isEnabled());
    bar->GetControl(0)->AllowEnable(true);
    EXPECT_TRUE(bar->GetControl(0)->GetWidget()->isEnabled());
    bar->GetControl(1)->AllowEnable(true);
    EXPECT_FALSE(bar->GetControl(1)->GetWidget()->isEnabled());
}

TEST_F(ToolBarFixture, TheFontBoxOffersScalableFamiliesAsAList) {
    CMFCToolBarFontComboBox box(ID_FORMAT_FONT_NAME, -1, TRUETYPE_FONTTYPE, DEFAULT_CHARSET, CBS_DROPDOWNLIST,
                                200);
    EXPECT_FALSE(box.isEditable());
    EXPECT_EQ(box.width(), 200);
    EXPECT_EQ(box.GetCount(), int(CMFCToolBarFontComboBox::FontFamilies().size()));
    EXPECT_EQ(box.GetCurSel(), -1);
    if (box.GetCount() > 0) {
        const QString first = box.GetItem(0);
        EXPECT_TRUE(box.SelectItemStartingWith(first.left(1).toLower()));
        EXPECT_FALSE(box.SelectItemStartingWith(QStringLiteral("\u2603no such font")));
        EXPECT_GE(box.GetCurSel(), 0);
    }
}

TEST(ColorMenuButtonTest, AColourBelongsToItsCommandAcrossButtons) {
    CMFCColorMenuButton a(ID_FORMAT_FORE_COLOR, QStringLiteral("Fore Color"));
    CMFCColorMenuButton b(ID_FORMAT_FORE_COLOR, QStringLiteral("Fore Color"));
    CMFCColorMenuButton other(ID_FORMAT_BACK_COLOR, QStringLiteral("Back Color"));
    other.SetColor(Qt::green, TRUE);
    a.SetColor(QColor(255, 0, 0), TRUE);
    EXPECT_EQ(b.GetColor(), QColor(255, 0, 0));
    EXPECT_EQ(b.GetColorRef(), 0x0000FFu);
    EXPECT_EQ(other.GetColor(), QColor(Qt::green));
    // Without notification only the one button changes.
    a.SetColor(Qt::blue, FALSE);
    EXPECT_EQ(b.GetColor(), QColor(255, 0, 0));
    // A palette choice is recorded for the command, so a later button starts with it.
    b.OnColorChosen(QColor(0, 0, 128));
    EXPECT_EQ(a.GetColor(), QColor(0, 0, 128));
    CMFCColorMenuButton later(ID_FORMAT_FORE_COLOR, QStringLiteral("Fore Color"));
    EXPECT_EQ(later.GetColor(), QColor(0, 0, 128));
}

TEST_F(ToolBarFixture, PickingAColourInThePaletteSetsItAndSendsTheCommand) {
    const UINT stored[] = {ID_FORMAT_FORE_COLOR};
    bar->SetButtons(stored);
    auto button = std::make_unique<CMFCColorMenuButton>(ID_FORMAT_FORE_COLOR, QStringLiteral("Fore Color"));
    CMFCColorMenuButton* raw = button.get();
    raw->EnableOtherButton(QStringLiteral("Other..."));
    ASSERT_EQ(bar->ReplaceButton(ID_FORMAT_FORE_COLOR, std::move(button)), 0);
    auto* palette = dynamic_cast<QWidgetAction*>(raw->GetPaletteMenu()->actions().value(0));
    ASSERT_NE(palette, nullptr);
    QWidget* panel = palette->requestWidget(raw->GetPaletteMenu());
    ASSERT_NE(panel, nullptr);
    EXPECT_NE(panel->findChild<QPushButton*>(QStringLiteral("other")), nullptr);
    auto* green = panel->findChild<QPushButton*>(QStringLiteral("swatch-#008000"));
    ASSERT_NE(green, nullptr);
    green->click();
    EXPECT_EQ(raw->GetColor(), QColor(0, 128, 0));
    EXPECT_EQ(frame->commands, std::vector<UINT>{ID_FORMAT_FORE_COLOR});
    // Clicking the button itself sends the command with the colour it shows.
    raw->click();
    EXPECT_EQ(frame->commands.size(), 2u);
}

TEST(ColorMenuButtonTest, TearOffIdsInsideTheMenuRangeMeanNoTearOff) {
    struct Case {
        UINT id;
        UINT expected;
    };
    for (const Case c :
         {Case{36368, 36368}, Case{36369, 36369}, Case{36352, 0}, Case{36367, 0}, Case{0, 0}}) {
        CMFCColorMenuButton button(ID_FORMAT_FORE_COLOR, QString());
        button.SetTearOff(c.id);
        EXPECT_EQ(button.GetTearOffID(), c.expected) << c.id;
        EXPECT_EQ(button.GetPaletteMenu()->isTearOffEnabled(), c.expected != 0) << c.id;
    }
}

TEST_F(ToolBarFixture, TheStatusBarHasAMessagePaneAndLabelledIndicators) {
    auto* status = new CMFCStatusBar(frame->GetWidget());
    ASSERT_TRUE(status->Create(frame, ID_VIEW_STATUS_BAR));
    const UINT panes[] = {0, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    status->SetIndicators(panes);
    frame->SetStatusBar(status);
    EXPECT_EQ(status->GetCount(), 4);
    EXPECT_EQ(frame->GetMessageText(), QStringLiteral("Ready"));
    frame->SetMessageText(QStringLiteral("x"));
    EXPECT_EQ(status->GetPaneText(0), QStringLiteral("x"));
    // Without a display that reports the lock keys, every indicator reads off.
    const LockKeyState keys = AfxQueryLockKeys();
    frame->OnIdleUpdateCmdUI();
    EXPECT_EQ(status->IsIndicatorOn(ID_INDICATOR_CAPS), keys.caps);
    EXPECT_EQ(status->IsIndicatorOn(ID_INDICATOR_NUM), keys.num);
    if (!keys.known) {
        EXPECT_FALSE(status->IsIndicatorOn(ID_INDICATOR_SCRL));
    }
}

} // namespace
