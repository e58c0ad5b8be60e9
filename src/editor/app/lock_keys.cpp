#include "editor/app/lock_keys.h"

#include <QGuiApplication>

#if __has_include(<X11/XKBlib.h>)
#include <X11/XKBlib.h>
#define PLK_HAVE_XKB 1
#endif

namespace plk {

std::optional<LockKeys> ReadLockKeys() {
#ifdef PLK_HAVE_XKB
    auto* x11 = qGuiApp == nullptr ? nullptr
                                   : qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    Display* display = x11 == nullptr ? nullptr : x11->display();
    if (display == nullptr) {
        return std::nullopt;
    }
    unsigned int state = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &state) != Success) {
        return std::nullopt;
    }
    // The core keyboard's first three indicators: Caps Lock, Num Lock, Scroll Lock.
    return LockKeys{(state & 1U) != 0, (state & 2U) != 0, (state & 4U) != 0};
#else
    return std::nullopt;
#endif
}

}  // namespace plk
