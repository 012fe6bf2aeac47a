#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/wayland/WaylandTyping.h"
#include "tests/support/scans/MixedTexts.h"
#include "tests/support/wayland/WaylandCompositor.h"
#include "tests/support/wayland/WaylandTextSink.h"
#include "tests/support/x11/ChildProcess.h"

namespace tavo::testing {

// How many remote desktop sessions Mutter runs on this process's session bus.
inline int mutterRemoteDesktopSessions() {
    ChildProcess introspect({"gdbus", "introspect", "--session", "--dest",
                             "org.gnome.Mutter.RemoteDesktop", "--object-path",
                             "/org/gnome/Mutter/RemoteDesktop/Session"});
    int count = 0;
    while (const auto line = introspect.readLine(std::chrono::seconds(5))) {
        // Sessions are the children of the path asked for: "node u2 {".
        count += line->find("node ") != std::string::npos && line->find('/') == std::string::npos;
    }
    return count;
}

// A test on a compositor of its own, which is also this process's WAYLAND_DISPLAY. Reports itself
// skipped, with the reason, where the compositor cannot run.
class OnCompositor : public ::testing::Test {
  protected:
    virtual CompositorKind kind() const = 0;

    void SetUp() override {
        try {
            compositor_ = std::make_unique<WaylandCompositor>(kind());
        } catch (const CompositorUnavailable& unavailable) {
            GTEST_SKIP() << unavailable.what();
        }
        setenv("WAYLAND_DISPLAY", compositor_->display().c_str(), 1);
    }

    std::unique_ptr<WaylandCompositor> compositor_;
};

// Types through the route that probing chooses, into a text sink that names keys.
class TypingOnCompositor : public OnCompositor {
  protected:
    // The route comes first, and a phone connects: a headless seat has no keyboard, and the sink
    // no focus, before the route's own keyboard (sway) or session (Mutter) has pressed a key.
    void SetUp() override {
        OnCompositor::SetUp();
        if (IsSkipped()) {
            return;
        }
        route_ = probeWaylandTyping();
        ASSERT_NE(route_.keyEvents, nullptr) << compositor_->log();
        if (route_.phoneConnectionChanged) {
            route_.phoneConnectionChanged(true);
        }
        sink_ = openSink();
    }

    virtual std::unique_ptr<TextSink> openSink() { return openWaylandTextSink(*compositor_, true); }

    void typeAll(const std::vector<Text>& texts) { testing::typeAll(*route_.keyEvents, texts); }

    TypingRoute route_;
    std::unique_ptr<TextSink> sink_;
};

}  // namespace tavo::testing
