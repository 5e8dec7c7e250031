#include "app/x11lockkeysource.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace {

#if QT_CONFIG(xcb)
bool indicatorOn(Display* display, const char* name)
{
    const Atom atom = XInternAtom(display, name, True);
    int on = 0;
    return atom != 0 && XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr) && on;
}
#endif

}  // namespace

std::optional<LockKeySource::State> X11LockKeySource::state() const
{
#if QT_CONFIG(xcb)
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (Display* display = x11 ? x11->display() : nullptr) {
        return State{indicatorOn(display, "Caps Lock"), indicatorOn(display, "Num Lock"),
                     indicatorOn(display, "Scroll Lock")};
    }
#endif
    return std::nullopt;
}
