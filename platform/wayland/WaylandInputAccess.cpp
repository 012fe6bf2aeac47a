#include "platform/wayland/WaylandInputAccess.h"

#include <cstdlib>

namespace tavo {
namespace {

std::string adviceWithoutRoute(const TypingRoute& route) {
    // XTest still reaches the Xwayland windows when the session has them.
    const char* xwayland = std::getenv("DISPLAY");
    if (xwayland == nullptr || *xwayland == '\0') {
        return route.advice;
    }
    return route.advice + " Until then scans reach only X11 (Xwayland) applications.";
}

}  // namespace

WaylandInputAccess::WaylandInputAccess(const TypingRoute& route)
    : trusted_(route.keyEvents != nullptr),
      advice_(trusted_ ? std::string() : adviceWithoutRoute(route)),
      route_(!trusted_                       ? std::string()
             : route.pastesMissingCharacters ? route.description +
                                                   ". Characters missing from the keyboard layout "
                                                   "are pasted through the clipboard (Ctrl+V)."
                                             : route.description + ".") {}

}  // namespace tavo
