#include <gtest/gtest.h>
#include <stdlib.h>

#include <string>
#include <tuple>
#include <utility>

#include "platform/x11/X11InputAccess.h"
#include "tests/support/x11/XvfbServer.h"

namespace tavo {
namespace {

TEST(X11InputAccess, TrustsOnlyAnX11SessionWhoseDisplayOffersXTest) {
    testing::XvfbServer server;
    const char* xvfb = server.display().c_str();
    // XDG_SESSION_TYPE, DISPLAY, WAYLAND_DISPLAY, and a part of the advice (none when trusted).
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"x11", xvfb, nullptr, ""},
        {nullptr, xvfb, nullptr, ""},
        {"tty", xvfb, nullptr, ""},
        {"wayland", xvfb, "wayland-0", "X11 session"},
        {nullptr, xvfb, "wayland-0", "X11 session"},
        {"x11", nullptr, nullptr, "No X display can be reached"},
        {"x11", ":9999", nullptr, "No X display can be reached"},
    };
    X11InputAccess access;
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const auto& [session, display, wayland, advice] = c;
        for (const auto& [name, value] : {std::pair{"XDG_SESSION_TYPE", session},
                                          {"DISPLAY", display},
                                          {"WAYLAND_DISPLAY", wayland}}) {
            value != nullptr ? setenv(name, value, 1) : unsetenv(name);
        }
        EXPECT_EQ(access.isTrusted(), advice.empty());
        const std::string given = access.accessAdvice();
        EXPECT_TRUE(advice.empty() ? given.empty() : given.find(advice) != std::string::npos)
            << given;
    }
}

}  // namespace
}  // namespace tavo
