// Reading the lock keys' LED states needs the X server: Qt keeps no lock-key state of
// its own. X11's headers define macros that clash with Qt's names, so they stay in
// this one file.

#include "framework/ui/StatusBar.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#ifdef LW_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace lw {

LockKeyState AfxQueryLockKeys() {
    LockKeyState state;
#ifdef LW_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    unsigned int leds = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &leds) != Success)
        return state;
    // The core keyboard's first three indicators are Caps, Num and Scroll Lock.
    state.known = true;
    state.caps = (leds & 0x1) != 0;
    state.num = (leds & 0x2) != 0;
    state.scroll = (leds & 0x4) != 0;
#endif
    return state;
}

} // namespace lw
