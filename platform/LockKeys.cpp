#include "platform/QtApplication.h"

#include "platform/LockKeys.h"

#if VARNOBEL_HAVE_X11
// After Qt's headers: X11's define macros (None, Bool, KeyPress, ...) that Qt uses as names.
#include <X11/XKBlib.h>
#endif

namespace {

#if VARNOBEL_HAVE_X11
// The state of the keyboard light of that name; false where the keyboard has no such light.
bool IndicatorOn(::Display* display, const char* name) {
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on != False;
}
#endif

} // namespace

std::optional<LockKeyStates> ReadLockKeys() {
#if VARNOBEL_HAVE_X11
    if (qGuiApp == nullptr)
        return std::nullopt;
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr)
        return std::nullopt;
    ::Display* display = x11->display();
    LockKeyStates states;
    states.capsLock = IndicatorOn(display, "Caps Lock");
    states.numLock = IndicatorOn(display, "Num Lock");
    states.scrollLock = IndicatorOn(display, "Scroll Lock");
    return states;
#else
    return std::nullopt;
#endif
}
