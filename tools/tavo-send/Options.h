#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavo {

// What tavo-send was asked to do.
struct Options {
    std::optional<std::string> host;  // nothing: discover the receiver by DNS-SD
    std::uint16_t port = 0;
    std::string deviceName;
    std::string symbology = "EAN-13";
    std::vector<std::string> scans;    // from the arguments
    std::optional<std::size_t> count;  // load mode: this many generated scans
    double rate = 0;                   // scans per second in load mode; 0: as fast as possible
    bool waitStatus = false;
    std::chrono::duration<double> linger{0};
    std::chrono::duration<double> timeout{5};
    bool list = false;  // print every receiver found and exit
    bool help = false;
    bool version = false;
};

// Throws std::invalid_argument with a message for the user.
Options parseOptions(int argc, char** argv);

extern const char* const usage;

}  // namespace tavo
