#include "tests/support/wayland/WaylandCompositor.h"

#include <unistd.h>
#include <wayland-client.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

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

bool ownsName(const std::string& name) {
    return runProgram({"sh", "-c",
                       "exec gdbus call --session --dest org.freedesktop.DBus --object-path "
                       "/org/freedesktop/DBus --method org.freedesktop.DBus.GetNameOwner \"$0\" "
                       ">/dev/null 2>&1",
                       name}) == 0;
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

    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (display_.empty()) {
        for (const std::string& socket : socketsIn(runtime)) {
            if (!before.contains(socket) && accepts(socket) &&
                (kind.busName.empty() || ownsName(kind.busName))) {
                display_ = socket;
            }
        }
        if (display_.empty()) {
            if (std::chrono::steady_clock::now() > deadline) {
                throw CompositorUnavailable(kind.name + " did not start in time:\n" + log());
            }
            if (process_->hasExited()) {
                throw CompositorUnavailable(kind.name + " cannot run here:\n" + log());
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
}

WaylandCompositor::~WaylandCompositor() {
    process_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
}

std::string WaylandCompositor::awaitFile(const std::string& name) const {
    const auto deadline = std::chrono::steady_clock::now() + startTimeout;
    while (!std::filesystem::exists(directory_ / name)) {
        if (std::chrono::steady_clock::now() > deadline) {
            throw std::runtime_error(name + " did not appear:\n" + log());
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
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
