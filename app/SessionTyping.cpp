#include "app/SessionTyping.h"

#include <cstdlib>

#include "platform/Log.h"
#include "platform/wayland/WaylandInputAccess.h"
#include "platform/wayland/WaylandTyping.h"
#include "platform/x11/X11InputAccess.h"
#include "platform/x11/X11KeyEvents.h"

namespace tavo {

SessionTyping chooseSessionTyping() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if (wayland == nullptr || *wayland == '\0') {
        log::detail("typing through XTest");
        return {std::make_unique<X11KeyEvents>(), std::make_unique<X11InputAccess>(), {}};
    }
    TypingRoute route = probeWaylandTyping();
    auto inputAccess = std::make_unique<WaylandInputAccess>(route);
    if (!route.keyEvents) {
        log::warning("this Wayland session offers no way to type: ", route.advice);
        return {std::make_unique<X11KeyEvents>(), std::move(inputAccess), {}};
    }
    log::detail(route.description);
    return {std::move(route.keyEvents), std::move(inputAccess),
            std::move(route.phoneConnectionChanged)};
}

}  // namespace tavo
