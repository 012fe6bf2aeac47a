// Types the same EAN-13 scans, each followed by Return, into a Wayland text sink: through the
// route that probing chooses on each compositor asked for, and with wtype on sway, once per scan
// as a user's script would run it and once with all scans in one call. Prints the time until the
// sink has received everything, the number of wrong characters and our speed-up over wtype once
// per scan. wtype takes about 5 ms a key, so it is timed on a tenth of the scans and scaled up.
// sway always runs, for wtype; KWin and Mutter when asked for.
//
// Run as an unprivileged user with a runtime directory and session bus of its own:
//   tests/support/wayland/with-wayland-user.sh tavo_wayland_typing_bench [scans]
//   [sway|kwin|mutter]...
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "platform/wayland/WaylandTyping.h"
#include "tests/support/scans/EanCodes.h"
#include "tests/support/scans/WrongCharacters.h"
#include "tests/support/wayland/WaylandCompositor.h"
#include "tests/support/wayland/WaylandTextSink.h"

namespace {

using Clock = std::chrono::steady_clock;
using tavo::testing::CompositorKind;
using tavo::testing::TextSink;
using tavo::testing::WaylandCompositor;

struct Result {
    double seconds;
    std::size_t wrong;
};

Result measure(const WaylandCompositor& compositor, const std::vector<std::string>& scans,
               const std::function<void()>& type) {
    std::string expected;
    for (const std::string& scan : scans) {
        expected += scan + "\n";
    }
    const auto sink = tavo::testing::openWaylandTextSink(compositor);
    const Clock::time_point start = Clock::now();
    type();
    const TextSink::Arrival arrival = sink->waitForBytes(expected.size());
    return {std::chrono::duration<double>(arrival.last - start).count(),
            tavo::testing::wrongCharacters(expected, arrival.text)};
}

Result wtype(const WaylandCompositor& compositor, const std::vector<std::string>& scans,
             bool batched) {
    const auto run = [&](const std::vector<std::string>& arguments) {
        tavo::testing::runProgram(arguments, {compositor.environmentEntry()});
    };
    return measure(compositor, scans, [&] {
        std::vector<std::string> all{"wtype"};
        for (const std::string& scan : scans) {
            if (batched) {
                all.insert(all.end(), {scan, "-k", "Return"});
            } else {
                run({"wtype", scan, "-k", "Return"});
            }
        }
        if (batched) {
            run(all);
        }
    });
}

void print(const std::string& name, const Result& result) {
    std::printf("  %-58s %8.3f s  %6zu wrong\n", name.c_str(), result.seconds, result.wrong);
}

void printRatio(const std::string& name, const Result& result, double than) {
    std::printf("  %-58s %8.3f s  %6zu wrong  %6.1fx faster than wtype\n", name.c_str(),
                result.seconds, result.wrong, than / result.seconds);
}

// Our time on this compositor, after the ratio to wtype's time once per scan on sway. The first
// compositor is always sway, where wtype is timed too.
void compare(const CompositorKind& kind, const std::vector<std::string>& scans,
             std::optional<double>& wtypeSeconds) {
    try {
        const WaylandCompositor compositor(kind);
        setenv("WAYLAND_DISPLAY", compositor.display().c_str(), 1);
        tavo::TypingRoute route = tavo::probeWaylandTyping();
        if (!route.keyEvents) {
            std::printf("  %s: no route: %s\n", kind.name.c_str(), route.advice.c_str());
            return;
        }
        if (route.phoneConnectionChanged) {
            route.phoneConnectionChanged(true);
        }
        tavo::KeystrokeTyper typer(*route.keyEvents);
        const Result ours = measure(compositor, scans, [&] {
            for (const std::string& scan : scans) {
                typer.type(scan, true);
            }
        });
        if (!wtypeSeconds) {
            const std::vector<std::string> few(
                scans.begin(), scans.begin() + std::max<std::size_t>(1, scans.size() / 10));
            const double scale = static_cast<double>(scans.size()) / few.size();
            const auto scaled = [&](Result result) {
                return Result{result.seconds * scale, result.wrong};
            };
            const std::string timed = " (" + std::to_string(few.size()) + " scans, scaled)";
            const Result once = scaled(wtype(compositor, few, false));
            print("sway: wtype once per scan" + timed, once);
            print("sway: wtype with all scans in one call" + timed,
                  scaled(wtype(compositor, few, true)));
            wtypeSeconds = once.seconds;
        }
        printRatio(kind.name + ": " + route.description, ours, *wtypeSeconds);
    } catch (const std::exception& failure) {
        std::printf("  %s: cannot run: %s\n", kind.name.c_str(), failure.what());
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    const std::map<std::string, CompositorKind> kinds{
        {"sway", tavo::testing::swayCompositor()},
        {"kwin", tavo::testing::kwinCompositor()},
        {"mutter", tavo::testing::mutterCompositor()}};
    std::vector<std::string> asked{"sway"};
    for (int i = 2; i < argc; ++i) {
        if (!kinds.contains(argv[i])) {
            std::fprintf(stderr, "unknown compositor %s (sway, kwin or mutter)\n", argv[i]);
            return 2;
        }
        if (std::string(argv[i]) != "sway") {
            asked.push_back(argv[i]);
        }
    }
    const std::vector<std::string> scans = tavo::testing::eanCodes(count);
    std::printf("%zu EAN-13 scans, each followed by Return\n", scans.size());
    std::optional<double> wtypeSeconds;
    for (const std::string& name : asked) {
        compare(kinds.at(name), scans, wtypeSeconds);
    }
}
