#include "tools/tavo-send/Options.h"

#include <getopt.h>
#include <unistd.h>

#include <charconv>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace tavo {

const char* const usage = R"(Usage: tavo-send [OPTION]... [SCAN]...
Acts as a phone: finds the Tavo receiver by DNS-SD (_tavo._tcp), says hello, sends scans and prints
every status reply ("status: newline" or "status: csv") as it arrives. Without SCAN arguments and
without --count, sends one scan per line of standard input.

  -H, --host=HOST         connect to HOST instead of discovering the receiver
  -p, --port=PORT         the receiver's port (with --host; alone: on localhost)
  -n, --name=NAME         the device name in the hello (default: this host's name)
  -s, --symbology=NAME    the symbology of every scan (default: EAN-13)
  -c, --count=N           load mode: send N generated EAN-13 scans
  -r, --rate=R            in load mode, R scans per second (default: as fast as possible)
  -w, --wait-status       wait for the status reply to the hello before sending scans
  -l, --linger=SECONDS    keep the connection open this long after the last scan
  -t, --timeout=SECONDS   how long discovery and --wait-status may take (default: 5)
  -L, --list              print every receiver found (name, addresses, port) and exit
  -h, --help              show this help
  -V, --version           show the version

Exit status: 0 on success, 1 when no receiver was found or the connection failed, 2 on bad usage.
)";

namespace {

template <typename Number>
Number parseNumber(std::string_view text, std::string_view option, Number minimum,
                   Number maximum = std::numeric_limits<Number>::max()) {
    Number value{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < minimum ||
        value > maximum) {
        throw std::invalid_argument("invalid value for --" + std::string(option) + ": '" +
                                    std::string(text) + "'");
    }
    return value;
}

std::string hostName() {
    char name[256] = {};
    if (gethostname(name, sizeof name - 1) != 0) {
        return "tavo-send";
    }
    return name;
}

}  // namespace

Options parseOptions(int argc, char** argv) {
    static const option longOptions[] = {{"host", required_argument, nullptr, 'H'},
                                         {"port", required_argument, nullptr, 'p'},
                                         {"name", required_argument, nullptr, 'n'},
                                         {"symbology", required_argument, nullptr, 's'},
                                         {"count", required_argument, nullptr, 'c'},
                                         {"rate", required_argument, nullptr, 'r'},
                                         {"wait-status", no_argument, nullptr, 'w'},
                                         {"linger", required_argument, nullptr, 'l'},
                                         {"timeout", required_argument, nullptr, 't'},
                                         {"list", no_argument, nullptr, 'L'},
                                         {"help", no_argument, nullptr, 'h'},
                                         {"version", no_argument, nullptr, 'V'},
                                         {nullptr, 0, nullptr, 0}};

    Options options;
    options.deviceName = hostName();
    bool portGiven = false;
    optind = 0;
    opterr = 0;
    for (;;) {
        const int c = getopt_long(argc, argv, ":H:p:n:s:c:r:wl:t:LhV", longOptions, nullptr);
        if (c == -1) {
            break;
        }
        const std::string_view argument = optarg ? optarg : "";
        switch (c) {
            case 'H':
                options.host = std::string(argument);
                break;
            case 'p':
                options.port = parseNumber<std::uint16_t>(argument, "port", 1);
                portGiven = true;
                break;
            case 'n':
                options.deviceName = std::string(argument);
                break;
            case 's':
                options.symbology = std::string(argument);
                break;
            case 'c':
                options.count = parseNumber<std::size_t>(argument, "count", 0);
                break;
            case 'r':
                options.rate = parseNumber<double>(argument, "rate", 0.0);
                break;
            case 'w':
                options.waitStatus = true;
                break;
            case 'l':
                options.linger =
                    std::chrono::duration<double>(parseNumber(argument, "linger", 0.0, 1e6));
                break;
            case 't':
                options.timeout =
                    std::chrono::duration<double>(parseNumber(argument, "timeout", 0.0, 1e6));
                break;
            case 'L':
                options.list = true;
                break;
            case 'h':
                options.help = true;
                return options;
            case 'V':
                options.version = true;
                return options;
            case ':':
                throw std::invalid_argument(std::string("missing value for ") + argv[optind - 1]);
            default:
                throw std::invalid_argument(std::string("unknown option ") + argv[optind - 1]);
        }
    }
    options.scans.assign(argv + optind, argv + argc);
    if (options.host && !portGiven) {
        throw std::invalid_argument("--host needs --port");
    }
    if (portGiven && !options.host) {
        options.host = "localhost";
    }
    if (options.count && !options.scans.empty()) {
        throw std::invalid_argument("--count and SCAN arguments exclude each other");
    }
    return options;
}

}  // namespace tavo
