// Reading the lock keys' LED states needs the X server: Qt keeps no lock-key state of
// its own. X11's headers define macros that clash with Qt's names, so they stay in
// this one file.

#include "framework/ui/StatusBar.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#ifdef LW_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#endif

namespace lw {

LockKeyState AfxQueryLockKeys() {
    LockKeyState state;
#ifdef LW_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display)
        return state;
    // Caps and Num Lock are locked modifiers; Scroll Lock is only ever an indicator light.
    XkbStateRec xkb{};
    if (XkbGetState(display, XkbUseCoreKbd, &xkb) != Success)
        return state;
    unsigned int leds = 0;
    XkbGetIndicatorState(display, XkbUseCoreKbd, &leds);
    const unsigned int numMask = XkbKeysymToModifiers(display, XK_Num_Lock);
    state.known = true;
    state.caps = (xkb.locked_mods & LockMask) != 0;
    state.num = numMask != 0 && (xkb.locked_mods & numMask) != 0;
    state.scroll = (leds & 0x4) != 0;
#endif
    return state;
}

} // namespace lw
