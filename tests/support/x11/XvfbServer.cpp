#include "tests/support/x11/XvfbServer.h"

#include <stdexcept>

namespace tavo::testing {

namespace {

std::vector<std::string> xvfbCommand(const std::vector<std::string>& extraArguments) {
    std::vector<std::string> command{"Xvfb", "-displayfd",  "1",         "-noreset", "-screen",
                                     "0",    "1280x800x24", "-nolisten", "tcp"};
    command.insert(command.end(), extraArguments.begin(), extraArguments.end());
    return command;
}

}  // namespace

XvfbServer::XvfbServer(const std::vector<std::string>& extraArguments)
    : process_(xvfbCommand(extraArguments)) {
    // Xvfb writes the display number once it accepts clients.
    const auto number = process_.readLine(std::chrono::seconds(20));
    if (!number || number->empty()) {
        throw std::runtime_error("Xvfb did not start");
    }
    display_ = ":" + *number;
}

}  // namespace tavo::testing
