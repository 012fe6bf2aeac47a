#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/KeyEvents.h"

namespace tavo {

// The way this Wayland session lets us type into other programs' windows.
struct TypingRoute {
    std::unique_ptr<KeyEvents> keyEvents;  // nothing when no route exists
    std::string description;               // for the panel
    bool pastesMissingCharacters = false;  // characters outside the layout go through the clipboard
    std::string advice;                    // when there is no route: what the session needs
    // May be empty. Called on the typing thread, in order with the texts: true before the first
    // text of a phone that may type (never for one that may not), false when that phone goes.
    std::function<void(bool phoneConnected)> phoneConnectionChanged;
};

// Probes the compositor's protocols and the session's D-Bus services (never the desktop's name)
// and returns the first route that works.
TypingRoute probeWaylandTyping();

}  // namespace tavo
