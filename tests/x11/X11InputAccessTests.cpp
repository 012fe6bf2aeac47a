#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/x11/X11InputAccess.h"
#include "tests/support/x11/XvfbServer.h"

namespace tavo {
namespace {

void setSession(const char* sessionType, const char* display, const char* waylandDisplay) {
    const auto set = [](const char* name, const char* value) {
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    };
    set("XDG_SESSION_TYPE", sessionType);
    set("DISPLAY", display);
    set("WAYLAND_DISPLAY", waylandDisplay);
}

TEST(X11InputAccess, TrustsAnX11SessionWhoseDisplayOffersXTest) {
    testing::XvfbServer server;
    X11InputAccess access;

    setSession("x11", server.display().c_str(), nullptr);
    EXPECT_TRUE(access.isTrusted());
    EXPECT_EQ(access.accessAdvice(), "");

    setSession(nullptr, server.display().c_str(), nullptr);
    EXPECT_TRUE(access.isTrusted());
}

TEST(X11InputAccess, RefusesWaylandSessionsAndMissingDisplays) {
    testing::XvfbServer server;
    X11InputAccess access;

    setSession("wayland", server.display().c_str(), "wayland-0");
    EXPECT_FALSE(access.isTrusted());
    EXPECT_NE(access.accessAdvice().find("X11 session"), std::string::npos);

    setSession(nullptr, server.display().c_str(), "wayland-0");
    EXPECT_FALSE(access.isTrusted());

    setSession("x11", nullptr, nullptr);
    EXPECT_FALSE(access.isTrusted());
    EXPECT_NE(access.accessAdvice().find("No X display can be reached"), std::string::npos);

    // A display that does not answer is no display either.
    setSession("x11", ":9999", nullptr);
    EXPECT_FALSE(access.isTrusted());
}

}  // namespace
}  // namespace tavo
