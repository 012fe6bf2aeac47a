#pragma once

#include <string>

#include "platform/InputAccess.h"
#include "platform/wayland/WaylandTyping.h"

namespace tavo {

// What the panel says of typing in a Wayland session: the route that was found by probing, or
// what the session needs when there is none.
class WaylandInputAccess final : public InputAccess {
  public:
    explicit WaylandInputAccess(const TypingRoute& route);

    bool isTrusted() override { return trusted_; }
    std::string accessAdvice() override { return advice_; }
    std::string typingRoute() override { return route_; }

  private:
    bool trusted_;
    std::string advice_;
    std::string route_;
};

}  // namespace tavo
