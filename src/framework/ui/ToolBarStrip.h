#pragma once
// What a toolbar shows: its buttons, controls and separators in one widget laid out by
// the bar's own rules. Docked, they stand in one row or one column; floating, they wrap
// into as many rows as the width the user gave the bar allows.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QToolBar;
class QToolButton;
class QWidgetItem;

namespace lw {

class CToolBarStrip : public QWidget {
public:
    explicit CToolBarStrip(QToolBar* bar);
    ~CToolBarStrip() override;

    // Entries, in the bar's order. A button shows `action`; a control's widget becomes
    // the strip's child (and is deleted with it).
    QToolButton* InsertButton(int index, QAction* action);
    QWidget* InsertSeparator(int index);
    void InsertControl(int index, QWidget* widget);
    // Takes the entry off the strip. A button or separator the strip made, and a
    // control's widget, go once control is back in the event loop.
    void Remove(int index);
    int Count() const { return int(m_entries.size()); }
    QWidget* WidgetAt(int index) const;
    int IndexOf(const QWidget* widget) const;

    // A widget kept after every entry (the bar's options button); nullptr for none.
    // The strip does not delete it.
    void SetTrailing(QWidget* widget);

    // The entry index a button dropped at `pos` (strip coordinates) would take.
    int DropIndexAt(const QPoint& pos) const;

    // Docked: one row for a horizontal bar, one column for a vertical one.
    void SetOrientation(Qt::Orientation orientation);
    // Floating: rows wrapped to the wrap width, with room at the edges to grab.
    void SetWrapping(bool on, int edgeBand);
    bool IsWrapping() const { return m_bWrapping; }
    // The width rows may take (contents, without margins); the strip keeps it between
    // its widest entry and the length of a single row.
    void SetWrapWidth(int width);
    int WrapWidth() const;
    int MinimumWrapWidth() const;
    int MaximumWrapWidth() const;
    // The wrap width whose rows come closest to `height`, the widest of equals.
    int WrapWidthForContentHeight(int height) const;

    // Called after the entries or their sizes changed the strip's size hint.
    void SetChangeHandler(std::function<void()> handler) { m_onChanged = std::move(handler); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    struct Entry {
        QWidget* widget = nullptr;
        std::unique_ptr<QWidgetItem> item;
        bool separator = false;
    };
    struct Flow {
        std::vector<QRect> cells; // one per entry, then the trailing widget
        std::vector<int> lines;   // the row (or column) of each cell; -1 when not shown
        QSize size;
    };
    void insertEntry(int index, QWidget* widget, bool separator);
    Qt::Orientation flowOrientation() const;
    int spacing() const;
    std::vector<QWidgetItem*> layoutItems() const;
    // The cells for rows no longer than `extent`, or a single line when it is negative.
    Flow flow(int extent) const;
    void relayout();
    void changed();

    QToolBar* m_bar;
    std::vector<Entry> m_entries;
    QWidget* m_trailing = nullptr;
    std::unique_ptr<QWidgetItem> m_trailingItem;
    Qt::Orientation m_orientation = Qt::Horizontal;
    bool m_bWrapping = false;
    int m_nWrapWidth = -1;
    std::vector<QRect> m_cells;
    std::vector<int> m_lines;
    std::function<void()> m_onChanged;
};

} // namespace lw
