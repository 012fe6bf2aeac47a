#include "tests/support/wayland/WaylandCompositor.h"

#include <unistd.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

#include "tests/support/WaitUntil.h"

namespace tavo::testing {
namespace {

constexpr auto startTimeout = std::chrono::seconds(30);

std::filesystem::path runtimeDirectory() {
    const char* directory = std::getenv("XDG_RUNTIME_DIR");
    if (directory == nullptr || getuid() == 0) {
        throw CompositorUnavailable(
            "needs an unprivileged user with XDG_RUNTIME_DIR: run "
            "through tests/support/wayland/with-wayland-user.sh");
    }
    return directory;
}

std::set<std::string> socketsIn(const std::filesystem::path& directory) {
    std::set<std::string> sockets;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("wayland-") && entry.is_socket()) {
            sockets.insert(name);
        }
    }
    return sockets;
}

bool accepts(const std::string& display) {
    wl_display* connection = wl_display_connect(display.c_str());
    if (connection == nullptr) {
        return false;
    }
    const bool answered = wl_display_roundtrip(connection) >= 0;
    wl_display_disconnect(connection);
    return answered;
}

}  // namespace

// Its keyboards get layouts without Latin letters: what we type must not depend on them.
CompositorKind swayCompositor() {
    return {.name = "sway",
            .command = {"sway", "--config", "sway.conf"},
            .environment = {"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1",
                            "WLR_RENDERER=pixman"},
            .files = {{"sway.conf", "xwayland disable\ninput * xkb_layout ru,gr\n"}},
            .busName = {}};
}

CompositorKind swayWithXwaylandCompositor() {
    CompositorKind kind = swayCompositor();
    kind.name = "sway-xwayland";
    kind.files = {{"sway.conf",
                   "xwayland force\n"
                   "exec sh -c 'until xdpyinfo >/dev/null 2>&1; do sleep 0.02; done; "
                   "echo $DISPLAY >x-display.part && mv x-display.part x-display'\n"}};
    return kind;
}

CompositorKind kwinCompositor() {
    return {.name = "kwin",
            .command = {"sh", "-c",
                        "cp \"$(command -v kwin_wayland)\" kwin_wayland && exec ./kwin_wayland "
                        "--virtual --no-lockscreen --no-global-shortcuts"},
            .environment = {"KWIN_WAYLAND_NO_PERMISSION_CHECKS=1"},
            .files = {},
            .busName = {}};
}

CompositorKind mutterCompositor() {
    return {.name = "mutter",
            .command = {"mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
                        "1280x800"},
            .environment = {},
            .files = {},
            .busName = "org.gnome.Mutter.RemoteDesktop"};
}

// Mutter runs as long as the command it starts, which ends with it.
CompositorKind mutterWithXwaylandCompositor() {
    CompositorKind kind = mutterCompositor();
    kind.name = "mutter-xwayland";
    kind.command = {"mutter",
                    "--headless",
                    "--wayland",
                    "--virtual-monitor",
                    "1280x800",
                    "--",
                    "sh",
                    "-c",
                    "echo \"$XAUTHORITY\" >x-authority && echo \"$DISPLAY\" >x-display.part && "
                    "mv x-display.part x-display && exec setpriv --pdeathsig TERM sleep infinity"};
    return kind;
}

WaylandCompositor::WaylandCompositor(const CompositorKind& kind) {
    const std::filesystem::path runtime = runtimeDirectory();
    directory_ = runtime / (kind.name + "-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory_);
    for (const auto& [name, content] : kind.files) {
        std::ofstream(directory_ / name) << content;
    }
    const std::set<std::string> before = socketsIn(runtime);
    // Its own directory and log; the parent-death signal ends it with a test that crashed.
    std::vector<std::string> command{
        "setpriv",          "--pdeathsig", "TERM", "sh", "-c", "cd \"$0\" && exec \"$@\" >log 2>&1",
        directory_.string()};
    command.insert(command.end(), kind.command.begin(), kind.command.end());
    process_ = std::make_unique<ChildProcess>(command, kind.environment);

    const bool ended = waitUntil(
        [&] {
            for (const std::string& socket : socketsIn(runtime)) {
                if (!before.contains(socket) && accepts(socket)) {
                    display_ = socket;
                }
            }
            return !display_.empty() || process_->hasExited();
        },
        startTimeout);
    if (display_.empty()) {
        throw CompositorUnavailable(
            kind.name + (ended ? " cannot run here:\n" : " did not start in time:\n") + log());
    }
    // Its D-Bus services come up after its socket.
    const std::vector<std::string> busOwned{
        "sh", "-c", "gdbus introspect --session --dest \"$0\" --object-path / >/dev/null 2>&1",
        kind.busName};
    if (!kind.busName.empty() && !waitUntil([&] { return runProgram(busOwned) == 0; })) {
        throw CompositorUnavailable(kind.name + " did not take " + kind.busName + ":\n" + log());
    }
}

WaylandCompositor::~WaylandCompositor() {
    process_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::string WaylandCompositor::awaitFile(const std::string& name) const {
    if (!waitUntil([&] { return std::filesystem::exists(directory_ / name); }, startTimeout)) {
        throw std::runtime_error(name + " did not appear:\n" + log());
    }
    std::ifstream file(directory_ / name);
    std::string line;
    std::getline(file, line);
    return line;
}

std::string WaylandCompositor::log() const {
    std::ifstream file(directory_ / "log");
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace tavo::testing
