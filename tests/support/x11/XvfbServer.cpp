#include "tests/support/x11/XvfbServer.h"

#include <stdexcept>

namespace tavo::testing {

XvfbServer::XvfbServer()
    : process_({"Xvfb", "-displayfd", "1", "-noreset", "-screen", "0", "1280x800x24", "-nolisten",
                "tcp"}) {
    // Xvfb writes the display number once it accepts clients.
    const auto number = process_.readLine(std::chrono::seconds(20));
    if (!number || number->empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + *number;
}

}  // namespace tavo::testing
