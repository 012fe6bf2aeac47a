#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/x11/ChildProcess.h"

namespace tavo::testing {

// How to start one compositor headless. The command runs with the environment entries added, in
// a working directory of its own (`files` are written there first, e.g. a configuration).
struct CompositorKind {
    std::string name;
    std::vector<std::string> command;
    std::vector<std::string> environment;
    std::vector<std::pair<std::string, std::string>> files;  // name, content
    std::string busName;  // a session bus name it owns once it serves, if any
};

CompositorKind swayCompositor();
// With Xwayland running; its display name is in the file "x-display" once it serves.
CompositorKind swayWithXwaylandCompositor();
// Fake input allowed to every client. Its installed binary carries a file capability that a
// container may refuse, so a copy runs.
CompositorKind kwinCompositor();
// Its seat has no keyboard until the first virtual key press.
CompositorKind mutterCompositor();
// With Xwayland, as GNOME runs; its display name is in the file "x-display" once it serves, and
// the path of the X authority that its clients need in "x-authority".
CompositorKind mutterWithXwaylandCompositor();

// The compositor cannot run on this machine; what() says why.
class CompositorUnavailable : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A headless compositor for the life of this object, as this process's user, in its
// XDG_RUNTIME_DIR and on its session bus (tests run through with-wayland-user.sh). It dies with
// this process.
class WaylandCompositor {
  public:
    // Returns once a client can connect. Throws CompositorUnavailable otherwise.
    explicit WaylandCompositor(const CompositorKind& kind);
    ~WaylandCompositor();
    WaylandCompositor(const WaylandCompositor&) = delete;
    WaylandCompositor& operator=(const WaylandCompositor&) = delete;

    // The socket's name, for WAYLAND_DISPLAY.
    const std::string& display() const { return display_; }
    std::string environmentEntry() const { return "WAYLAND_DISPLAY=" + display_; }
    // The first line of a file that the compositor writes in its directory, once it is there.
    // Throws std::runtime_error when it does not appear in time.
    std::string awaitFile(const std::string& name) const;
    // The compositor's own output so far, for failure messages.
    std::string log() const;

  private:
    std::filesystem::path directory_;
    std::unique_ptr<ChildProcess> process_;
    std::string display_;
};

}  // namespace tavo::testing
