// Types the same scans with our typer and with xdotool into a text sink on a private Xvfb and
// prints, for each, the time until the sink has received everything, the number of wrong
// characters and our speed-up. xdotool's default delay (12 ms per key) is timed on fewer scans
// and scaled up.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "platform/x11/X11KeyEvents.h"
#include "tests/support/scans/EanCodes.h"
#include "tests/support/scans/WrongCharacters.h"
#include "tests/support/x11/TextSink.h"
#include "tests/support/x11/XvfbServer.h"

namespace {

using Clock = std::chrono::steady_clock;
using tavo::testing::TextSink;
using tavo::testing::XvfbServer;

std::vector<std::string> eanScans(int count, const std::string& prefix, const std::string& suffix) {
    std::vector<std::string> scans;
    for (const std::string& code : tavo::testing::eanCodes(count)) {
        scans.push_back(prefix + code + suffix);
    }
    return scans;
}

struct Result {
    double seconds;
    std::size_t wrong;
};

Result measure(const XvfbServer& server, const std::vector<std::string>& scans,
               const std::function<void(const std::string&)>& type) {
    std::string expected;
    for (const std::string& scan : scans) {
        expected += scan + "\n";
    }
    TextSink sink(server);
    const Clock::time_point start = Clock::now();
    type(expected);
    const TextSink::Arrival arrival = sink.waitForBytes(expected.size());
    return {std::chrono::duration<double>(arrival.last - start).count(),
            tavo::testing::wrongCharacters(expected, arrival.text)};
}

Result ours(const XvfbServer& server, const std::vector<std::string>& scans) {
    tavo::X11KeyEvents keyEvents(server.display());
    tavo::KeystrokeTyper typer(keyEvents);
    return measure(server, scans, [&](const std::string&) {
        for (const std::string& scan : scans) {
            typer.type(scan, true);
        }
    });
}

Result xdotool(const XvfbServer& server, const std::vector<std::string>& scans,
               const std::vector<std::string>& options) {
    return measure(server, scans, [&](const std::string& text) {
        std::vector<std::string> arguments{"xdotool", "type"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.push_back(text);
        tavo::testing::runProgram(arguments, {server.environmentEntry()});
    });
}

void print(const char* name, const Result& result, const Result& baseline, double scale = 1) {
    std::printf("  %-34s %8.3f s  %6zu wrong  ours is %6.1fx faster\n", name,
                result.seconds * scale, result.wrong, result.seconds * scale / baseline.seconds);
}

void compare(const XvfbServer& server, const char* title, const std::vector<std::string>& scans,
             int defaultDelayScans) {
    std::printf("%s: %zu scans, each followed by Return\n", title, scans.size());
    const Result tavo = ours(server, scans);
    std::printf("  %-34s %8.3f s  %6zu wrong\n", "tavo typer", tavo.seconds, tavo.wrong);
    print("xdotool type --delay 0", xdotool(server, scans, {"--delay", "0"}), tavo);
    if (defaultDelayScans > 0) {
        const std::vector<std::string> few(scans.begin(), scans.begin() + defaultDelayScans);
        const double scale = static_cast<double>(scans.size()) / defaultDelayScans;
        char name[64];
        std::snprintf(name, sizeof name, "xdotool type (%d scans, x%.0f)", defaultDelayScans,
                      scale);
        print(name, xdotool(server, few, {}), tavo, scale);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(20, std::atoi(argv[1])) : 1000;
    XvfbServer server;
    compare(server, "EAN-13", eanScans(count, "", ""), count / 20);
    compare(server, "Not on the layout (\u00d8 \u20ac \u00b5 \u00e9 \u00df)",
            eanScans(count, "\u00d8-", "-\u20ac\u00b5\u00e9\u00df"), 0);
}
