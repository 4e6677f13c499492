#include "engine/chromium/KeyHookFilter.h"

#include <QChildEvent>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

namespace lw {

KeyHookFilter::KeyHookFilter(QWidget* view, std::function<Hook()> hook)
    : QObject(view), m_view(view), m_hook(std::move(hook)) {
    watch(view);
}

void KeyHookFilter::watch(QObject* object) {
    // Installing twice would not duplicate the filter, but it would move it to the front.
    object->removeEventFilter(this);
    object->installEventFilter(this);
    for (QObject* child : object->children()) {
        if (child->isWidgetType())
            watch(child);
    }
}

bool KeyHookFilter::keepsItsKeys(QObject* object) const {
    for (QObject* o = object; o && o != m_view; o = o->parent()) {
        if (o->property(kKeepsItsKeys).toBool())
            return true;
    }
    return false;
}

bool KeyHookFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ChildAdded: {
        QObject* child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType())
            watch(child);
        break;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // A key the input widget left unaccepted travels on to the view; it was asked already.
        if (watched == m_view && m_view->focusProxy())
            break;
        if (keepsItsKeys(watched))
            break;
        const Hook hook = m_hook();
        if (hook && hook(static_cast<QKeyEvent*>(event)))
            return true;
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace lw
