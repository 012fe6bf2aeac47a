#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

class SessionLockTest : public ScanListenerTest {
  protected:
    void SetUp() override {
        defaults.lists[ScanListener::allowedPhonesKey] = {"192.168.1.20 Till 1"};
        make();
        listener->setOnScan([this](const TavoScan& scan) { typed.push_back(scan.value); });
    }

    std::vector<std::string> typed;
};

// A locked session holds back every phone's scans, the allowed ones too, the way Pause does; it
// asks nothing new of the user and the phone still hears the mode.
TEST_F(SessionLockTest, NothingTypesWhileTheSessionIsLocked) {
    struct Case {
        const char* name;
        bool asks;
        std::string deviceName;
        bool locked;
        bool typed;
        bool phoneAsks;
    };
    const std::vector<Case> cases{
        {"allowed, unlocked", true, "Till 1", false, true, false},
        {"allowed, locked", true, "Till 1", true, false, false},
        {"asking off, locked", false, "Till 9", true, false, false},
        {"new phone, locked", true, "Till 9", true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        typed.clear();
        listener->setAsksBeforeNewPhone(c.asks);
        listener->setSessionLocked(c.locked);
        const auto connection = connect();
        receive(*connection, join({hello(c.deviceName), scan(c.name)}));

        EXPECT_EQ(typed.size(), c.typed ? 1u : 0u);
        EXPECT_EQ(listener->recentScans().front().scan.value, c.name) << "listed either way";
        EXPECT_EQ(listener->recentScans().front().typed, c.typed);
        EXPECT_EQ(listener->phoneAsking().has_value(), c.phoneAsks);
        EXPECT_EQ(connection->sent.size(), 1u);
    }
}

// Unlocking types what comes after it, never what was held back; the change is announced, and
// the lock leaves the pause switch alone.
TEST_F(SessionLockTest, UnlockTypesOnlyLaterScans) {
    const auto connection = connect();
    receive(*connection, hello("Till 1"));
    willChanges = 0;
    listener->setSessionLocked(true);
    EXPECT_EQ(willChanges, 1);
    EXPECT_TRUE(listener->isSessionLocked());
    EXPECT_FALSE(listener->isPaused());
    receive(*connection, scan("while locked"));
    listener->setSessionLocked(false);
    receive(*connection, scan("after"));

    EXPECT_EQ(typed, std::vector<std::string>{"after"});
    EXPECT_EQ(scanValues(), (std::vector<std::string>{"after", "while locked"}));
    EXPECT_FALSE(listener->recentScans().back().typed);

    // Unlocked but paused: still held.
    listener->setPaused(true);
    listener->setSessionLocked(true);
    listener->setSessionLocked(false);
    receive(*connection, scan("paused"));
    EXPECT_EQ(typed, std::vector<std::string>{"after"});
}

}  // namespace
}  // namespace tavo
