#pragma once

#include <string>
#include <vector>

#include "tests/support/x11/ChildProcess.h"

namespace tavo::testing {

// A private Xvfb display for the life of this object; it picks a free display number itself.
class XvfbServer {
  public:
    // Throws std::runtime_error when the server does not come up. `extraArguments` go to Xvfb.
    explicit XvfbServer(const std::vector<std::string>& extraArguments = {});

    // ":N", for DISPLAY or XOpenDisplay.
    const std::string& display() const { return display_; }
    std::string environmentEntry() const { return "DISPLAY=" + display_; }

  private:
    ChildProcess process_;
    std::string display_;
};

}  // namespace tavo::testing
