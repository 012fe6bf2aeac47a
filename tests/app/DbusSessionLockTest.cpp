// The session's lock from stand-ins (python3-dbusmock) on a private session bus, which also serves
// as the system bus.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <string>
#include <vector>

#include "app/DbusSessionLock.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/x11/ChildProcess.h"

namespace tavo {
namespace {

// Before the first use of the system bus.
void useTheSessionBusAsSystemBus() {
    qputenv("DBUS_SYSTEM_BUS_ADDRESS", qgetenv("DBUS_SESSION_BUS_ADDRESS"));
}

int call(const std::string& destination, std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(),
                     {"dbus-send", "--session", "--print-reply", "--dest=" + destination});
    return testing::runProgram(arguments);
}

std::string boolean(bool value) {
    return value ? "boolean:true" : "boolean:false";
}

int setScreenSaverActive(bool active) {
    return call(
        "org.freedesktop.ScreenSaver",
        {"/org/freedesktop/ScreenSaver", "org.freedesktop.ScreenSaver.SetActive", boolean(active)});
}

int setLockedHint(bool locked) {
    return call("org.freedesktop.login1",
                {"/org/freedesktop/login1/session/c3",
                 "org.freedesktop.login1.Session.SetLockedHint", boolean(locked)});
}

bool becomes(const DbusSessionLock& lock, bool locked) {
    return testing::waitUntil([&] {
        QCoreApplication::processEvents();
        return lock.isLocked() == locked;
    });
}

// Without XDG_SESSION_ID: logind's "auto" session, the caller's own or the user's graphical one.
TEST(DbusSessionLockTest, FollowsLogindsAutoSessionWithoutASessionId) {
    useTheSessionBusAsSystemBus();
    qunsetenv("XDG_SESSION_ID");
    testing::ChildProcess logind(
        {TAVO_SYSTEM_PYTHON, "-m", "dbusmock", "--template", "logind", "--session"});
    ASSERT_TRUE(testing::waitUntil([] {
        return call("org.freedesktop.login1",
                    {"/org/freedesktop/login1", "org.freedesktop.DBus.Mock.AddSession", "string:c3",
                     "string:seat0", "uint32:1000", "string:tavo", "boolean:true"}) == 0;
    }));
    ASSERT_EQ(
        call("org.freedesktop.login1",
             {"/org/freedesktop/login1", "org.freedesktop.DBus.Mock.AddMethod",
              "string:org.freedesktop.login1.Manager", "string:GetSession", "string:s", "string:o",
              "string:ret = '/org/freedesktop/login1/session/' + "
              "('c3' if args[0] == 'auto' else args[0])"}),
        0);
    ASSERT_EQ(setLockedHint(true), 0);

    DbusSessionLock lock;
    EXPECT_TRUE(becomes(lock, true));
    ASSERT_EQ(setLockedHint(false), 0);
    EXPECT_TRUE(becomes(lock, false));
}

// Where logind knows no session, the desktop's screen saver.
TEST(DbusSessionLockTest, FollowsTheScreenSaverWhereLogindIsAbsent) {
    useTheSessionBusAsSystemBus();
    testing::ChildProcess screenSaver(
        {TAVO_SYSTEM_PYTHON, "-m", "dbusmock", "--template", TAVO_SCREEN_SAVER_TEMPLATE});
    // Locked before we ask, so that the first answer already tells.
    ASSERT_TRUE(testing::waitUntil([] { return setScreenSaverActive(true) == 0; }));

    DbusSessionLock lock;
    std::vector<bool> changes;
    lock.setOnChange([&](bool locked) { changes.push_back(locked); });
    EXPECT_TRUE(becomes(lock, true));
    ASSERT_EQ(setScreenSaverActive(false), 0);
    EXPECT_TRUE(becomes(lock, false));
    ASSERT_EQ(setScreenSaverActive(true), 0);
    EXPECT_TRUE(becomes(lock, true));
    EXPECT_EQ(changes, (std::vector<bool>{true, false, true}));
}

}  // namespace
}  // namespace tavo
