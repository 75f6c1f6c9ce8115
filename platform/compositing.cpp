#include "platform/compositing.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace {

bool X11Compositing()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return false;
    int screen = 0;
    if (const char* display = std::getenv("DISPLAY")) {
        const std::string d(display);
        const auto dot = d.rfind('.');
        if (dot != std::string::npos && dot > d.rfind(':'))
            screen = std::atoi(d.c_str() + dot + 1);
    }
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, uint16_t(name.size()), name.c_str()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false;
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    if (!owner)
        return false;
    const bool active = owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return active;
}

}  // namespace

bool CompositingActive()
{
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb"))
        return X11Compositing();
    if (platform.startsWith(QLatin1String("wayland")) || platform == QLatin1String("windows")
        || platform == QLatin1String("cocoa"))
        return true;
    return false;
}
