#include "framework/ui/ToolBarStrip.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>
#include <climits>

namespace lw {

namespace {

int along(Qt::Orientation o, const QSize& s) {
    return o == Qt::Horizontal ? s.width() : s.height();
}

int across(Qt::Orientation o, const QSize& s) {
    return o == Qt::Horizontal ? s.height() : s.width();
}

int along(Qt::Orientation o, const QPoint& p) {
    return o == Qt::Horizontal ? p.x() : p.y();
}

int across(Qt::Orientation o, const QPoint& p) {
    return o == Qt::Horizontal ? p.y() : p.x();
}

QRect cell(Qt::Orientation o, int pos, int acrossPos, int length, int thickness) {
    return o == Qt::Horizontal ? QRect(pos, acrossPos, length, thickness)
                               : QRect(acrossPos, pos, thickness, length);
}

// A separator line across the flow: vertical between buttons in a row, horizontal in a
// column, drawn and sized as the style draws a toolbar's separators.
class StripSeparator : public QWidget {
public:
    StripSeparator(QToolBar* bar, QWidget* parent) : QWidget(parent), m_bar(bar) {}

    void setFlow(Qt::Orientation flow) {
        if (m_flow == flow)
            return;
        m_flow = flow;
        update();
    }

    QSize sizeHint() const override {
        QStyleOption opt;
        opt.initFrom(this);
        const int extent = style()->pixelMetric(QStyle::PM_ToolBarSeparatorExtent, &opt, m_bar);
        return {extent, extent};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        QStyleOption opt;
        opt.initFrom(this);
        if (m_flow == Qt::Horizontal)
            opt.state |= QStyle::State_Horizontal;
        style()->drawPrimitive(QStyle::PE_IndicatorToolBarSeparator, &opt, &p, this);
    }

private:
    QToolBar* m_bar;
    Qt::Orientation m_flow = Qt::Horizontal;
};

} // namespace

CToolBarStrip::CToolBarStrip(QToolBar* bar) : QWidget(bar), m_bar(bar), m_orientation(bar->orientation()) {
    // Moves over the strip's edges reach the bar, which offers to resize a floating bar.
    setMouseTracking(true);
}

CToolBarStrip::~CToolBarStrip() {
    // The items point at widgets that go with the strip.
    m_entries.clear();
    m_trailingItem.reset();
}

QToolButton* CToolBarStrip::InsertButton(int index, QAction* action) {
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(m_bar->iconSize());
    button->setToolButtonStyle(m_bar->toolButtonStyle());
    QObject::connect(m_bar, &QToolBar::iconSizeChanged, button, &QToolButton::setIconSize);
    QObject::connect(m_bar, &QToolBar::toolButtonStyleChanged, button, &QToolButton::setToolButtonStyle);
    button->setDefaultAction(action);
    insertEntry(index, button, false);
    return button;
}

QWidget* CToolBarStrip::InsertSeparator(int index) {
    auto* separator = new StripSeparator(m_bar, this);
    separator->setFlow(flowOrientation());
    insertEntry(index, separator, true);
    return separator;
}

void CToolBarStrip::InsertControl(int index, QWidget* widget) {
    widget->setParent(this);
    insertEntry(index, widget, false);
}

void CToolBarStrip::insertEntry(int index, QWidget* widget, bool separator) {
    if (index < 0 || index > Count())
        index = Count();
    // The pointer over a button shows an arrow, not a resize cursor set on the bar.
    if (!widget->testAttribute(Qt::WA_SetCursor))
        widget->setCursor(Qt::ArrowCursor);
    Entry entry;
    entry.widget = widget;
    entry.item = std::make_unique<QWidgetItem>(widget);
    entry.separator = separator;
    m_entries.insert(m_entries.begin() + index, std::move(entry));
    widget->show();
    changed();
}

void CToolBarStrip::Remove(int index) {
    if (index < 0 || index >= Count())
        return;
    QWidget* widget = m_entries[size_t(index)].widget;
    m_entries.erase(m_entries.begin() + index);
    if (widget) {
        widget->hide();
        // The widget may be the one whose event brought us here.
        widget->deleteLater();
    }
    changed();
}

QWidget* CToolBarStrip::WidgetAt(int index) const {
    return index >= 0 && index < Count() ? m_entries[size_t(index)].widget : nullptr;
}

int CToolBarStrip::IndexOf(const QWidget* widget) const {
    if (!widget)
        return -1;
    for (int i = 0; i < Count(); ++i)
        if (m_entries[size_t(i)].widget == widget)
            return i;
    return -1;
}

void CToolBarStrip::SetTrailing(QWidget* widget) {
    if (widget == m_trailing)
        return;
    m_trailingItem.reset();
    m_trailing = widget;
    if (widget) {
        widget->setParent(this);
        if (!widget->testAttribute(Qt::WA_SetCursor))
            widget->setCursor(Qt::ArrowCursor);
        m_trailingItem = std::make_unique<QWidgetItem>(widget);
        widget->show();
    }
    changed();
}

void CToolBarStrip::SetOrientation(Qt::Orientation orientation) {
    if (m_orientation == orientation)
        return;
    m_orientation = orientation;
    changed();
}

void CToolBarStrip::SetWrapping(bool on, int edgeBand) {
    const QMargins margins =
        on ? QMargins(m_orientation == Qt::Vertical ? edgeBand : 0, 0, edgeBand, edgeBand) : QMargins();
    if (m_bWrapping == on && contentsMargins() == margins)
        return;
    m_bWrapping = on;
    setContentsMargins(margins);
    changed();
}

void CToolBarStrip::SetWrapWidth(int width) {
    if (m_nWrapWidth == width)
        return;
    m_nWrapWidth = width;
    if (m_bWrapping)
        changed();
}

int CToolBarStrip::MinimumWrapWidth() const {
    int widest = 0;
    for (QWidgetItem* item : layoutItems())
        if (item && !item->isEmpty())
            widest = std::max(widest, item->sizeHint().width());
    return widest;
}

int CToolBarStrip::MaximumWrapWidth() const {
    const std::vector<QWidgetItem*> items = layoutItems();
    int length = 0;
    int count = 0;
    for (QWidgetItem* item : items) {
        if (!item || item->isEmpty())
            continue;
        length += (count++ > 0 ? spacing() : 0) + item->sizeHint().width();
    }
    return length;
}

int CToolBarStrip::WrapWidth() const {
    const int widest = MaximumWrapWidth();
    const int width = m_nWrapWidth < 0 ? widest : m_nWrapWidth;
    return std::max(MinimumWrapWidth(), std::min(width, widest));
}

int CToolBarStrip::WrapWidthForContentHeight(int height) const {
    const int narrowest = MinimumWrapWidth();
    int best = MaximumWrapWidth();
    int bestMiss = INT_MAX;
    int lastHeight = -1;
    if (!m_bWrapping)
        return best;
    for (int width = best; width >= narrowest; --width) {
        const int h = flow(width).size.height();
        if (h == lastHeight)
            continue;
        lastHeight = h;
        const int miss = std::abs(h - height);
        if (miss < bestMiss) {
            bestMiss = miss;
            best = width;
        }
    }
    return best;
}

Qt::Orientation CToolBarStrip::flowOrientation() const {
    return m_bWrapping ? Qt::Horizontal : m_orientation;
}

int CToolBarStrip::spacing() const {
    // The bar's own layout spaces its items by the style's toolbar item spacing.
    if (m_bar->layout())
        return std::max(0, m_bar->layout()->spacing());
    return style()->pixelMetric(QStyle::PM_ToolBarItemSpacing, nullptr, m_bar);
}

std::vector<QWidgetItem*> CToolBarStrip::layoutItems() const {
    std::vector<QWidgetItem*> items;
    items.reserve(m_entries.size() + 1);
    for (const Entry& e : m_entries)
        items.push_back(e.widget ? e.item.get() : nullptr);
    items.push_back(m_trailingItem.get());
    return items;
}

CToolBarStrip::Flow CToolBarStrip::flow(int extent) const {
    const Qt::Orientation o = flowOrientation();
    const int gap = spacing();
    const std::vector<QWidgetItem*> items = layoutItems();
    Flow f;
    f.cells.resize(items.size());
    f.lines.assign(items.size(), -1);
    std::vector<int> thickness{0};
    int pos = 0;
    int acrossPos = 0;
    int inLine = 0;
    int longest = 0;
    for (size_t k = 0; k < items.size(); ++k) {
        QWidgetItem* item = items[k];
        if (!item || item->isEmpty())
            continue;
        const QSize hint = item->sizeHint();
        const int length = along(o, hint);
        if (extent >= 0 && k < m_entries.size() && m_entries[k].separator) {
            // Wrapped rows neither start nor end with a separator: it shows only
            // between two buttons on the same row.
            int next = -1;
            for (size_t n = k + 1; n < items.size() && next < 0; ++n)
                if (items[n] && !items[n]->isEmpty())
                    next = along(o, items[n]->sizeHint());
            if (inLine == 0 || next < 0 || pos + gap + length + gap + next > extent) {
                f.cells[k] = cell(o, 0, acrossPos, length, across(o, hint));
                continue;
            }
        }
        if (extent >= 0 && inLine > 0 && pos + gap + length > extent) {
            acrossPos += thickness.back() + gap;
            thickness.push_back(0);
            pos = 0;
            inLine = 0;
        }
        if (inLine > 0)
            pos += gap;
        f.cells[k] = cell(o, pos, acrossPos, length, 0);
        f.lines[k] = int(thickness.size()) - 1;
        pos += length;
        thickness.back() = std::max(thickness.back(), across(o, hint));
        ++inLine;
        longest = std::max(longest, pos);
    }
    for (size_t k = 0; k < items.size(); ++k) {
        if (f.lines[k] < 0)
            continue;
        const int t = thickness[size_t(f.lines[k])];
        if (o == Qt::Horizontal)
            f.cells[k].setHeight(t);
        else
            f.cells[k].setWidth(t);
    }
    f.size = cell(o, 0, 0, longest, longest > 0 ? acrossPos + thickness.back() : 0).size();
    return f;
}

QSize CToolBarStrip::sizeHint() const {
    const QMargins m = contentsMargins();
    return flow(m_bWrapping ? WrapWidth() : -1).size.grownBy(m);
}

QSize CToolBarStrip::minimumSizeHint() const {
    if (m_bWrapping)
        return sizeHint();
    // Docked, a bar too short for its buttons shows what fits instead of widening the
    // window: the strip needs only the room of its options button (or first entry).
    const QSize full = sizeHint();
    int length = 0;
    if (m_trailingItem && !m_trailingItem->isEmpty())
        length = along(m_orientation, m_trailingItem->sizeHint());
    else
        for (const Entry& e : m_entries)
            if (e.widget && !e.item->isEmpty()) {
                length = along(m_orientation, e.item->sizeHint());
                break;
            }
    return m_orientation == Qt::Horizontal ? QSize(length, full.height()) : QSize(full.width(), length);
}

bool CToolBarStrip::event(QEvent* e) {
    switch (e->type()) {
    case QEvent::LayoutRequest:
        // A child's size hint changed.
        changed();
        return true;
    case QEvent::ChildRemoved: {
        // A control deleted by its owner leaves an empty place, never a dangling one.
        QObject* child = static_cast<QChildEvent*>(e)->child();
        for (Entry& entry : m_entries)
            if (entry.widget == child) {
                entry.widget = nullptr;
                entry.item.reset();
            }
        if (child == m_trailing) {
            m_trailing = nullptr;
            m_trailingItem.reset();
        }
        break;
    }
    case QEvent::StyleChange:
    case QEvent::FontChange:
        changed();
        break;
    default:
        break;
    }
    return QWidget::event(e);
}

void CToolBarStrip::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    relayout();
}

void CToolBarStrip::changed() {
    const Qt::Orientation o = flowOrientation();
    for (const Entry& entry : m_entries)
        if (entry.separator && entry.widget)
            static_cast<StripSeparator*>(entry.widget)->setFlow(o);
    updateGeometry();
    relayout();
    if (m_onChanged)
        m_onChanged();
}

void CToolBarStrip::relayout() {
    const QRect r = contentsRect();
    const Qt::Orientation o = flowOrientation();
    // Rows follow the wrap width the size hint was made from, not the room the bar's own
    // layout hands out (a few pixels less while floating), so nothing wraps out of sight.
    Flow f = flow(m_bWrapping ? WrapWidth() : -1);
    const int room = along(o, r.size());
    if (!m_bWrapping && along(o, f.size) > room) {
        // A docked bar too short for everything keeps its options button at its end;
        // the entries that no longer fit before it go out of sight.
        int end = room;
        const size_t last = f.cells.size() - 1;
        if (f.lines[last] >= 0) {
            QRect& t = f.cells[last];
            const int start = std::max(0, room - along(o, t.size()));
            t.moveTopLeft(o == Qt::Horizontal ? QPoint(start, t.y()) : QPoint(t.x(), start));
            end = start - spacing();
        }
        for (size_t k = 0; k < last; ++k) {
            if (f.lines[k] < 0)
                continue;
            QRect& c = f.cells[k];
            if (along(o, c.topLeft()) + along(o, c.size()) <= end)
                continue;
            f.lines[k] = -1;
        }
    }
    // What is not shown lies past the strip's end, where it is clipped.
    const int beyond = along(o, size()) + 1 - along(o, r.topLeft());
    for (size_t k = 0; k < f.cells.size(); ++k) {
        QRect& c = f.cells[k];
        if (f.lines[k] < 0)
            c.moveTopLeft(o == Qt::Horizontal ? QPoint(beyond, c.y()) : QPoint(c.x(), beyond));
    }
    const std::vector<QWidgetItem*> items = layoutItems();
    for (size_t k = 0; k < items.size(); ++k)
        if (items[k] && !items[k]->isEmpty())
            items[k]->setGeometry(f.cells[k].translated(r.topLeft()));
    for (QRect& c : f.cells)
        c.translate(r.topLeft());
    m_cells = std::move(f.cells);
    m_lines = std::move(f.lines);
}

int CToolBarStrip::DropIndexAt(const QPoint& pos) const {
    const Qt::Orientation o = flowOrientation();
    const size_t n = std::min(m_entries.size(), m_lines.size());
    // The line under the point: the first whose far side lies beyond it, else the last.
    int line = -1;
    int lastLine = -1;
    for (size_t k = 0; k < n; ++k) {
        if (m_lines[k] < 0 || !m_entries[k].widget)
            continue;
        lastLine = std::max(lastLine, m_lines[k]);
        const QRect& c = m_cells[k];
        if (line < 0 && across(o, pos) < across(o, c.topLeft()) + across(o, c.size()))
            line = m_lines[k];
    }
    if (line < 0)
        line = lastLine;
    if (line < 0)
        return Count();
    int after = -1;
    for (size_t k = 0; k < n; ++k) {
        if (m_lines[k] != line || !m_entries[k].widget)
            continue;
        const QRect& c = m_cells[k];
        if (along(o, pos) < along(o, c.center()))
            return int(k);
        after = int(k) + 1;
    }
    return after < 0 ? Count() : std::min(after, Count());
}

} // namespace lw
