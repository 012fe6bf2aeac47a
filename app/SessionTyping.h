#pragma once

#include <functional>
#include <memory>

#include "platform/InputAccess.h"
#include "platform/KeyEvents.h"

namespace tavo {

// How this session lets us type, chosen once at start.
struct SessionTyping {
    std::unique_ptr<KeyEvents> keyEvents;
    std::unique_ptr<InputAccess> inputAccess;
    // May be empty; see TavoReceiverApp.
    std::function<void(bool phoneConnected)> phoneConnectionChanged;
};

// A Wayland session types through a route of its compositor, found by probing, which reaches
// native and Xwayland windows alike; only without one does XTest type, into Xwayland windows.
// An X11 session types through XTest.
SessionTyping chooseSessionTyping();

}  // namespace tavo
