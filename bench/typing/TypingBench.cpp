// Types the same scans with our typer and with xdotool into a text sink on a private Xvfb and
// prints, for each, the time until the sink has received everything, the number of wrong
// characters and our speed-up. xdotool's default delay (12 ms per key) is timed on fewer scans
// and scaled up.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "bench/typing/EanCodes.h"
#include "output/KeystrokeTyper.h"
#include "platform/x11/X11KeyEvents.h"
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

std::u32string scalars(const std::string& utf8) {
    std::u32string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (int k = 1; k < length && i + k < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        }
        out.push_back(c);
        i += length;
    }
    return out;
}

std::size_t editDistance(const std::u32string& a, const std::u32string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::vector<std::u32string> lines(const std::string& text) {
    std::vector<std::u32string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        out.push_back(scalars(text.substr(start, end - start)));
    }
    if (start < text.size()) {
        out.push_back(scalars(text.substr(start)));
    }
    return out;
}

// Characters wrong, lost or added, scan by scan; a missing Return counts as one, and so does a
// key the sink could only name ("<NoSymbol>").
std::size_t wrongCharacters(const std::string& expected, const std::string& received) {
    const std::vector<std::u32string> want = lines(expected);
    const std::vector<std::u32string> got =
        lines(std::regex_replace(received, std::regex("<[A-Za-z0-9_]+>"), "\uFFFD"));
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::u32string empty;
        const std::u32string& a = i < want.size() ? want[i] : empty;
        const std::u32string& b = i < got.size() ? got[i] : empty;
        wrong += editDistance(a, b) + (i >= want.size() || i >= got.size() ? 1 : 0);
    }
    return wrong;
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
            wrongCharacters(expected, arrival.text)};
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
