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
            const auto denied = connect(c.address);
            receive(*denied, hello(c.deviceName));
            listener->denyAskingPhone(*listener->phoneAsking());
            denied->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
            mainThread.drain();
        }
        listener->setPaused(c.paused);
        listener->setHoldsTyping([held = c.held] { return held; });
        const auto connection = connect(c.address);
        receive(*connection, join({hello(c.deviceName), scan("4006381333931")}));

        EXPECT_EQ(typed.size(), c.typed ? 1u : 0u);
        ASSERT_EQ(listener->recentScans().size(), 1u) << "listed either way";
        EXPECT_EQ(listener->recentScans().front().typed, c.typed);
        EXPECT_EQ(listener->phoneAsking(),
                  c.asks ? std::optional(Phone{c.deviceName, c.address, c.address}) : std::nullopt);
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
    listener->allowAskingPhone(*listener->phoneAsking());
    receive(*connection, scan("after"));
    EXPECT_EQ(typed, std::vector<std::string>{"after"});
    EXPECT_FALSE(listener->recentScans().back().typed);
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              std::vector<std::string>{"192.168.1.20 Till 1"});

    listener->forgetAllowedPhones();
    EXPECT_EQ(listener->phoneAsking(), (Phone{"Till 1", home, home}));
    listener->setAsksBeforeNewPhone(false);
    EXPECT_EQ(listener->phoneAsking(), std::nullopt);
    listener->setAsksBeforeNewPhone(true);
    connection->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
    mainThread.drain();
    EXPECT_EQ(listener->phoneAsking(), std::nullopt);
}

// The same phone keeps its trust over IPv4 and IPv6 and across new addresses; another device with
// the same name and an address the phone used before is a new phone.
TEST_F(PhoneTrustTest, APhoneOnALocalLinkIsItsNameAndHardwareAddress) {
    const PeerOrigin phone{PeerOrigin::Kind::localLink, "02:00:00:00:00:01"};
    const PeerOrigin other{PeerOrigin::Kind::localLink, "02:00:00:00:00:02"};
    // Stored by an earlier release, by address: honoured, then kept by hardware address.
    defaults.lists[ScanListener::allowedPhonesKey] = {"192.168.1.20 Till 1"};
    makeTyping();
    struct Visit {
        const char* address;
        PeerOrigin origin;
        bool typed;
    };
    const std::vector<Visit> visits{
        {home, phone, true},
        {"192.168.1.57", phone, true},
        {"fe80::1:2ff:fe00:1%2", phone, true},
        {home, other, false},
    };
    for (const Visit& visit : visits) {
        SCOPED_TRACE(visit.address + (" " + visit.origin.id));
        typed.clear();
        const auto connection = connect(visit.address, visit.origin);
        receive(*connection, join({hello("Till 1"), scan("4006381333931")}));
        EXPECT_EQ(typed.size(), visit.typed ? 1u : 0u);
        EXPECT_EQ(listener->phoneAsking().has_value(), !visit.typed);
        connection->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
        mainThread.drain();
    }
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              std::vector<std::string>{"link/02:00:00:00:00:01 Till 1"});

    // Allowing keeps the new device by its own hardware address.
    const auto connection = connect(home, other);
    receive(*connection, hello("Till 1"));
    listener->allowAskingPhone(*listener->phoneAsking());
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              (std::vector<std::string>{"link/02:00:00:00:00:01 Till 1",
                                        "link/02:00:00:00:00:02 Till 1"}));
}

// Another account on this computer never reaches the keyboard, whatever it calls itself and
// whatever is allowed; the receiver's own user is known by user, not by loopback address.
TEST_F(PhoneTrustTest, AnotherLocalUserIsRefusedAtOnce) {
    defaults.lists[ScanListener::allowedPhonesKey] = {"127.0.0.1 Till 1", "user/1001 Till 1"};
    makeTyping();
    const auto own = connect("127.0.0.1", {PeerOrigin::Kind::sameUser, "1000"});
    receive(*own, join({hello("Till 1"), scan("own")}));
    EXPECT_EQ(typed, std::vector<std::string>{"own"});

    for (const PeerOrigin& stranger : {PeerOrigin{PeerOrigin::Kind::otherUser, "1001"},
                                       PeerOrigin{PeerOrigin::Kind::otherUser, ""}}) {
        const auto connection = connect("127.0.0.1", stranger);
        receive(*connection, join({hello("Till 1"), scan("stranger")}));
        EXPECT_EQ(connection->cancels(), 1u);
        EXPECT_TRUE(connection->pending.empty()) << "nothing is read from it";
        EXPECT_TRUE(connection->sent.empty());
    }
    EXPECT_EQ(typed, std::vector<std::string>{"own"});
    EXPECT_EQ(own->cancels(), 0u);
    EXPECT_EQ(listener->connectedDeviceName(), "Till 1");
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              (std::vector<std::string>{"user/1000 Till 1", "user/1001 Till 1"}));
}

// A newcomer is answered at once but takes the connected phone's place only as a phone that may
// type; a phone that may not (new, denied, from another network) leaves the user's phone alone.
TEST_F(PhoneTrustTest, OnlyAPhoneThatMayTypeReplacesTheConnectedOne) {
    const PeerOrigin till{PeerOrigin::Kind::localLink, "02:00:00:00:00:01"};
    defaults.lists[ScanListener::allowedPhonesKey] = {"link/02:00:00:00:00:01 Till 1"};
    makeTyping();
    const auto connected = connect(home, till);
    receive(*connected, hello("Till 1"));

    const auto stranger =
        connect("192.168.1.66", {PeerOrigin::Kind::localLink, "02:00:00:00:00:66"});
    receive(*stranger, join({hello("Till 1"), scan("stranger")}));
    EXPECT_EQ(stranger->sent, std::vector<Bytes>{status(ReceiverOutputMode::newline)});
    EXPECT_EQ(connected->cancels(), 0u);
    EXPECT_EQ(listener->connectedDeviceName(), "Till 1");
    ASSERT_TRUE(listener->phoneAsking());
    EXPECT_EQ(listener->phoneAsking()->address, "192.168.1.66");
    receive(*connected, scan("mine"));
    EXPECT_EQ(typed, std::vector<std::string>{"mine"});

    // Denied, it reconnects by itself: still nothing moves.
    listener->denyAskingPhone(*listener->phoneAsking());
    EXPECT_EQ(stranger->cancels(), 1u);
    const auto again = connect("192.168.1.66", {PeerOrigin::Kind::localLink, "02:00:00:00:00:66"});
    receive(*again, hello("Till 1"));
    EXPECT_EQ(again->cancels(), 1u);
    EXPECT_EQ(connected->cancels(), 0u);

    // With asking off, a new phone of this network may type, and replaces at its hello.
    listener->setAsksBeforeNewPhone(false);
    const auto newcomer =
        connect("192.168.1.30", {PeerOrigin::Kind::localLink, "02:00:00:00:00:30"});
    EXPECT_EQ(connected->cancels(), 0u);
    receive(*newcomer, join({hello("Till 2"), scan("new")}));
    EXPECT_EQ(connected->cancels(), 1u);
    EXPECT_EQ(listener->connectedDeviceName(), "Till 2");
    EXPECT_EQ(typed, (std::vector<std::string>{"mine", "new"}));
}

// A phone routed from another network is asked about like a new phone, says where it comes from,
// and waits for Allow even with asking off; Allow keeps it by name and address.
TEST_F(PhoneTrustTest, APhoneFromAnotherNetworkAsksAndWaitsForAllow) {
    const PeerOrigin routed{PeerOrigin::Kind::otherNetwork, ""};
    defaults.values[ScanListener::asksBeforeNewPhoneKey] = "false";
    makeTyping();
    const auto local = connect(home);
    receive(*local, hello("Till 1"));
    const auto far = connect("10.20.0.5", routed);
    receive(*far, join({hello("Till 9"), scan("far")}));
    ASSERT_EQ(listener->phoneAsking(), (Phone{"Till 9", "10.20.0.5", "10.20.0.5", true}));
    EXPECT_EQ(local->cancels(), 0u);
    EXPECT_TRUE(typed.empty());

    listener->allowAskingPhone(*listener->phoneAsking());
    EXPECT_EQ(local->cancels(), 1u);
    receive(*far, scan("far"));
    EXPECT_EQ(typed, std::vector<std::string>{"far"});
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              std::vector<std::string>{"10.20.0.5 Till 9"});

    // Refused outright once the user says so, also across a restart.
    listener->setOnlyLocalNetworks(true);
    EXPECT_EQ(far->cancels(), 1u);
    make();
    EXPECT_TRUE(listener->onlyLocalNetworks());
    const auto refused = connect("10.20.0.5", routed);
    EXPECT_EQ(refused->cancels(), 1u);
    EXPECT_TRUE(refused->pending.empty());
}

// Allow and Deny act on the phone the user was shown, not on whoever asks at the click; a phone
// asking meanwhile is asked about next.
TEST_F(PhoneTrustTest, AllowAndDenyActOnThePhoneShown) {
    makeTyping();
    const auto first = connect(home, {PeerOrigin::Kind::localLink, "02:00:00:00:00:01"});
    receive(*first, hello("iPhone"));
    const Phone shown = *listener->phoneAsking();
    const auto second = connect("192.168.1.21", {PeerOrigin::Kind::localLink, "02:00:00:00:00:02"});
    receive(*second, hello("iPhone"));
    EXPECT_EQ(listener->phoneAsking(), shown);

    listener->allowAskingPhone(shown);
    EXPECT_EQ(defaults.stringList(ScanListener::allowedPhonesKey),
              std::vector<std::string>{"link/02:00:00:00:00:01 iPhone"});
    ASSERT_TRUE(listener->phoneAsking());
    EXPECT_EQ(listener->phoneAsking()->address, "192.168.1.21");
    receive(*second, scan("second"));
    receive(*first, scan("first"));
    EXPECT_EQ(typed, std::vector<std::string>{"first"});

    const Phone next = *listener->phoneAsking();
    listener->denyAskingPhone(next);
    EXPECT_EQ(second->cancels(), 1u);
    EXPECT_EQ(first->cancels(), 0u);
    second->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
    mainThread.drain();
    EXPECT_EQ(listener->phoneAsking(), std::nullopt);
}

}  // namespace
}  // namespace tavo
