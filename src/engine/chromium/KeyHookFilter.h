#pragma once
// Offers every key press and release that reaches the page to the host before the engine
// sees it. The engine's input widget is a child of its view that can be replaced (a new
// renderer brings a new one), so the filter follows the view's children as they come.

#include <QObject>

#include <functional>

class QKeyEvent;
class QWidget;

namespace lw {

class KeyHookFilter : public QObject {
    Q_OBJECT

public:
    using Hook = std::function<bool(QKeyEvent*)>;

    // hook is asked anew for each event, so the host may change it at any time.
    KeyHookFilter(QWidget* view, std::function<Hook()> hook);

    // A widget of the engine's own over the page (the find bar) sets this property: the keys
    // typed into it are its own, never the page's.
    static constexpr const char* kKeepsItsKeys = "lwKeepsItsKeys";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watch(QObject* object);
    bool keepsItsKeys(QObject* object) const;

    QWidget* m_view;
    std::function<Hook()> m_hook;
};

} // namespace lw
