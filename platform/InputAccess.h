#pragma once

#include <string>

namespace tavo {

// Whether synthetic keyboard events reach other applications.
class InputAccess {
  public:
    virtual ~InputAccess() = default;

    virtual bool isTrusted() = 0;
    // What the user can do to let typing reach their applications.
    virtual std::string accessAdvice() = 0;
    // How typing reaches the applications, for the panel, e.g. "Typing through the X server's
    // XTest extension"; empty when it reaches none.
    virtual std::string typingRoute() = 0;
};

}  // namespace tavo
