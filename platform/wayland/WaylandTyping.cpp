#include "platform/wayland/WaylandTyping.h"

#include "platform/wayland/VirtualKeyboardKeyEvents.h"

namespace tavo {
namespace {

constexpr const char* noRouteAdvice =
    "This Wayland session offers no way for other programs to type. Scans can be typed on "
    "wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose "
    "portal offers remote desktop control.";

}  // namespace

// Each route is one block, in order of preference; the first that works is used.
TypingRoute probeWaylandTyping() {
    // wlroots family: a virtual keyboard with a keymap of our own.
    if (auto keyEvents = VirtualKeyboardKeyEvents::create()) {
        TypingRoute route;
        route.keyEvents = std::move(keyEvents);
        route.description = "Typing through the compositor's virtual keyboard";
        return route;
    }

    TypingRoute none;
    none.advice = noRouteAdvice;
    return none;
}

}  // namespace tavo
