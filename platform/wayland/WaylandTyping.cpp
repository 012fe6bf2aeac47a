#include "platform/wayland/WaylandTyping.h"

namespace tavo {
namespace {

constexpr const char* noRouteAdvice =
    "This Wayland session offers no way for other programs to type. Scans can be typed on "
    "wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose "
    "portal offers remote desktop control.";

}  // namespace

// Each route is one block, in order of preference; the first that works is used.
TypingRoute probeWaylandTyping() {
    TypingRoute none;
    none.advice = noRouteAdvice;
    return none;
}

}  // namespace tavo
