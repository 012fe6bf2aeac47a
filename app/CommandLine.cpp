#include "app/CommandLine.h"

#include <string_view>

#include "TavoVersion.h"

namespace tavo {
namespace {

constexpr std::string_view usage = "Usage: tavo-receiver [--verbose] [--help] [--version]\n";

constexpr std::string_view help = R"(
Types barcode scans from a phone into the focused application. Sits in the system tray,
advertises itself on the local network by DNS-SD as _tavo._tcp and accepts the phone's
connection. Starting it again while it runs opens the running one's panel.

  -v, --verbose   log details of its work to standard error
  -h, --help      show this help and exit
  -V, --version   show the version and exit
)";

}  // namespace

CommandLine parseCommandLine(int argc, const char* const* argv) {
    CommandLine commandLine;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-v" || argument == "--verbose") {
            commandLine.verbose = true;
        } else if (argument == "-h" || argument == "--help") {
            commandLine.exitStatus = 0;
            commandLine.message = std::string(usage) + std::string(help);
            return commandLine;
        } else if (argument == "-V" || argument == "--version") {
            commandLine.exitStatus = 0;
            commandLine.message = std::string("tavo-receiver ") + version + "\n";
            return commandLine;
        } else {
            commandLine.exitStatus = 2;
            const char* const what =
                argument.starts_with('-') ? "unknown option" : "unexpected argument";
            commandLine.message = "tavo-receiver: " + std::string(what) + " '" +
                                  std::string(argument) + "'\n" + std::string(usage) +
                                  "Try 'tavo-receiver --help'.\n";
            return commandLine;
        }
    }
    return commandLine;
}

}  // namespace tavo
