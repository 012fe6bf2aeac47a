#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

constexpr const char* home = "192.168.1.20";

class PhoneTrustTest : public ScanListenerTest {
  protected:
    // Asking is on unless a case says otherwise: nothing stored means on.
    void SetUp() override {}

    std::vector<std::string> typed;

    void makeTyping() {
        make();
        listener->setOnScan([this](const TavoScan& scan) { typed.push_back(scan.value); });
    }
};

TEST_F(PhoneTrustTest, OnlyAllowedPhonesTypeWhileNeitherPausedNorHeld) {
    struct Case {
        const char* name;
        std::optional<std::string> storedAsks;
        std::vector<std::string> storedAllowed;
        bool deniedBefore;
        bool paused;
        bool held;  // our own window has the keyboard focus
        std::string address;
        std::string deviceName;
        bool typed;
        bool asks;
    };
    const std::vector<std::string> tillAllowed{"192.168.1.20 Till 1"};
    const std::vector<Case> cases{
        {"new", {}, {}, false, false, false, home, "Till 1", false, true},
        {"allowed", {}, tillAllowed, false, false, false, home, "Till 1", true, false},
        {"denied", {}, {}, true, false, false, home, "Till 1", false, false},
        {"changed name", {}, tillAllowed, false, false, false, home, "Till 2", false, true},
        {"changed address",
         {},
         tillAllowed,
         false,
         false,
         false,
         "192.168.1.21",
         "Till 1",
         false,
         true},
        {"asking off", "false", {}, false, false, false, home, "Till 1", true, false},
        {"paused", {}, tillAllowed, false, true, false, home, "Till 1", false, false},
        {"held", {}, tillAllowed, false, false, true, home, "Till 1", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        defaults = {};
        if (c.storedAsks) {
            defaults.values[ScanListener::asksBeforeNewPhoneKey] = *c.storedAsks;
        }
        defaults.lists[ScanListener::allowedPhonesKey] = c.storedAllowed;
        typed.clear();
        makeTyping();
        if (c.deniedBefore) {
            receive(*connect(c.address), hello(c.deviceName));
            listener->denyAskingPhone();
        }
        listener->setPaused(c.paused);
        listener->setHoldsTyping([held = c.held] { return held; });
        const auto connection = connect(c.address);
        receive(*connection, join({hello(c.deviceName), scan("4006381333931")}));

        EXPECT_EQ(typed.size(), c.typed ? 1u : 0u);
        ASSERT_EQ(listener->recentScans().size(), 1u) << "listed either way";
        EXPECT_EQ(listener->recentScans().front().typed, c.typed);
        EXPECT_EQ(listener->phoneAsking(),
                  c.asks ? std::optional(Phone{c.deviceName, c.address}) : std::nullopt);
        // Every phone but a denied one hears the mode; a denied one is shut out.
        EXPECT_EQ(connection->sent.size(), c.deniedBefore ? 0u : 1u);
        EXPECT_EQ(connection->cancels(), c.deniedBefore ? 1u : 0u);
        EXPECT_EQ(listener->connectedDeviceName().has_value(), !c.deniedBefore);
    }
}

// Allowing types what comes after it, never what was held back; the question goes away when it
// no longer applies.
TEST_F(PhoneTrustTest, AllowTypesOnlyLaterScansAndTheQuestionFollowsThePhone) {
    makeTyping();
    const auto connection = connect();
    receive(*connection, join({hello("Till 1"), scan("before")}));
    listener->allowAskingPhone();
    receive(*connection, scan("after"));
    EXPECT_EQ(typed, std::vector<std::string>{"after"});
    EXPECT_FALSE(listener->recentScans().back().typed);
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              std::vector<std::string>{"192.168.1.20 Till 1"});

    listener->forgetAllowedPhones();
    EXPECT_EQ(listener->phoneAsking(), (Phone{"Till 1", home}));
    listener->setAsksBeforeNewPhone(false);
    EXPECT_EQ(listener->phoneAsking(), std::nullopt);
    listener->setAsksBeforeNewPhone(true);
    connection->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
    mainThread.drain();
    EXPECT_EQ(listener->phoneAsking(), std::nullopt);
}

}  // namespace
}  // namespace tavo
