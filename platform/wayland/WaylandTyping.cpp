#include "platform/wayland/WaylandTyping.h"

#include "platform/wayland/KwinKeyEvents.h"
#include "platform/wayland/MutterKeyEvents.h"
#include "platform/wayland/PortalKeyEvents.h"
#include "platform/wayland/VirtualKeyboardKeyEvents.h"
#include "platform/wayland/WaylandClient.h"

namespace tavo {
namespace {

constexpr const char* noRouteAdvice =
    "This Wayland session offers no way for other programs to type. Scans can be typed on "
    "wlroots compositors (sway, labwc, Wayfire, Hyprland), KDE Plasma, GNOME, or a desktop whose "
    "portal offers remote desktop control.";

// KWin offers fake input only to programs installed with a desktop entry that asks for it.
constexpr const char* kwinWithoutFakeInputAdvice =
    "KDE Plasma lets only installed programs type. Install Tavo Receiver from its package (not a "
    "build directory or a sandboxed package) and start it again.";

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

    // KDE Plasma: KWin's fake input, for a program whose installed desktop entry asks for it.
    if (auto keyEvents = KwinKeyEvents::open()) {
        TypingRoute route;
        route.pastesMissingCharacters = keyEvents->pastesMissingCharacters();
        route.keyEvents = std::move(keyEvents);
        route.description = "Typing through KDE's fake input protocol";
        return route;
    }
    // GNOME: Mutter's remote desktop service; its session, and GNOME's remote-control
    // indicator, last from an allowed phone's first scan until the phone goes.
    if (auto keyEvents = MutterKeyEvents::open()) {
        TypingRoute route;
        auto* mutter = keyEvents.get();
        route.keyEvents = std::move(keyEvents);
        route.description = "Typing through GNOME's remote desktop service";
        route.pastesMissingCharacters = true;
        route.phoneConnectionChanged = [mutter](bool connected) {
            mutter->phoneConnectionChanged(connected);
        };
        return route;
    }
    // Any other desktop (or a sandbox) with a portal: the user consents in its dialog, once per
    // start of the receiver unless the portal keeps the consent.
    if (auto keyEvents = PortalKeyEvents::open(PortalKeyEvents::defaultTokenFile())) {
        TypingRoute route;
        auto* portal = keyEvents.get();
        route.description =
            keyEvents->canPersistConsent()
                ? "Typing through the desktop's remote desktop portal, which asks for your "
                  "consent and remembers it where its desktop's backend can"
                : "Typing through the desktop's remote desktop portal, which asks for your "
                  "consent at each start of Tavo Receiver (this portal cannot remember it)";
        route.keyEvents = std::move(keyEvents);
        route.phoneConnectionChanged = [portal](bool connected) {
            portal->phoneConnectionChanged(connected);
        };
        return route;
    }
    if (const auto client = WaylandClient::connect();
        client && client->offers("org_kde_plasma_shell")) {
        TypingRoute none;
        none.advice = kwinWithoutFakeInputAdvice;
        return none;
    }

    TypingRoute none;
    none.advice = noRouteAdvice;
    return none;
}

}  // namespace tavo
