#pragma once

#include "platform/InputAccess.h"

namespace tavo {

// Typing reaches the applications of an X11 session whose display offers XTest. Under Wayland
// it would reach only XWayland windows, so such a session does not count.
class X11InputAccess final : public InputAccess {
  public:
    bool isTrusted() override;
    std::string accessAdvice() override;
    std::string typingRoute() override;
};

}  // namespace tavo
