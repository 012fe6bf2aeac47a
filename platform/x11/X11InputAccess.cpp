#include "platform/x11/X11InputAccess.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <cstdlib>
#include <string_view>

namespace tavo {
namespace {

enum class Reach { x11, wayland, noDisplay, noXTest };

std::string_view environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

Reach displayReach() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return Reach::noDisplay;
    }
    int eventBase = 0;
    int errorBase = 0;
    int major = 0;
    int minor = 0;
    const bool found = XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor);
    XCloseDisplay(display);
    return found ? Reach::x11 : Reach::noXTest;
}

Reach currentReach() {
    const std::string_view session = environment("XDG_SESSION_TYPE");
    // A session started with startx reports "tty"; only an explicit Wayland session, or a
    // Wayland compositor beside an unnamed session, keeps our events away from its windows.
    if (session == "wayland" || (session != "x11" && !environment("WAYLAND_DISPLAY").empty())) {
        return Reach::wayland;
    }
    if (environment("DISPLAY").empty()) {
        return Reach::noDisplay;
    }
    return displayReach();
}

}  // namespace

bool X11InputAccess::isTrusted() {
    return currentReach() == Reach::x11;
}

std::string X11InputAccess::accessAdvice() {
    switch (currentReach()) {
        case Reach::x11:
            return {};
        case Reach::wayland:
            return "In a Wayland session scans reach only X11 (XWayland) applications. Log out "
                   "and choose an X11 session (for example \"GNOME on Xorg\") at the login "
                   "screen so that scans reach every application.";
        case Reach::noDisplay:
            return "No X display can be reached, so scans cannot be typed. Run Tavo Receiver "
                   "inside an X11 desktop session.";
        case Reach::noXTest:
            return "The X server does not offer the XTEST extension, so scans cannot be typed. "
                   "Enable XTEST in the X server configuration and restart the session.";
    }
    return {};
}

std::string X11InputAccess::typingRoute() {
    return isTrusted() ? "Typing through the X server's XTest extension" : "";
}

}  // namespace tavo
