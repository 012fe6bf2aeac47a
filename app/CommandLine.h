#pragma once

#include <optional>
#include <string>

namespace tavo {

class Translation;

// What tavo-receiver's command line asks for. Read before Qt starts, so that --help and
// --version work without a display.
struct CommandLine {
    bool verbose = false;
    // Set when the program ends at once: it prints `message` (to standard output on status 0,
    // to standard error otherwise) and exits with this status.
    std::optional<int> exitStatus;
    std::string message;
};

// Without a translation, its texts are English.
CommandLine parseCommandLine(int argc, const char* const* argv,
                             const Translation* translation = nullptr);

}  // namespace tavo
