#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

TEST_F(ScanListenerTest, ReadsTheStoredModeExactlyAndWritesNothing) {
    for (const auto& [stored, expected] : {std::pair{"csv", ReceiverOutputMode::csv},
                                           std::pair{"CSV", ReceiverOutputMode::newline}}) {
        defaults.values[ScanListener::outputModeKey] = stored;
        make();
        EXPECT_EQ(listener->outputMode(), expected) << stored;
    }
    EXPECT_EQ(defaults.writes, 0u);
    EXPECT_EQ(mainThread.drain(), 0u);
}

TEST_F(ScanListenerTest, PortIsTheListenersOrNoneWhenItCannotBeMade) {
    EXPECT_EQ(listener->port(), network.listener().port());
    network.listenerError = NetworkError{"no sockets"};
    make();
    EXPECT_EQ(listener->lastError(), "no sockets");
    EXPECT_EQ(listener->advertisingTrouble(), (AdvertisingTrouble{false, "no sockets"}));
    EXPECT_EQ(listener->port(), std::nullopt);
}

TEST_F(ScanListenerTest, ListenerStatesSetAdvertisingAndLastErrorOnTheMainThread) {
    auto& made = network.listener();
    made.deliverState({ListenerState::Kind::failed, NetworkError{"collision"}});
    made.deliverState({ListenerState::Kind::waiting, NetworkError{"no network"}});
    mainThread.drain();
    EXPECT_FALSE(listener->isAdvertising());
    EXPECT_EQ(listener->lastError(), "collision");

    made.deliverState({ListenerState::Kind::ready, std::nullopt});
    made.deliverState({ListenerState::Kind::failed, NetworkError{"daemon gone"}});
    made.deliverState({ListenerState::Kind::cancelled, std::nullopt});
    EXPECT_FALSE(listener->isAdvertising()) << "changed on the main thread";
    mainThread.drain();
    EXPECT_TRUE(listener->isAdvertising());
    EXPECT_EQ(listener->lastError(), "daemon gone");
    EXPECT_EQ(willChanges, 7);
}

// Published for the panel: why phones cannot find the receiver, until it is advertised again,
// and the name it is advertised under after a collision.
TEST_F(ScanListenerTest, AdvertisingTroubleLastsUntilReady) {
    auto& made = network.listener();
    EXPECT_EQ(listener->advertisingTrouble(), std::nullopt);
    made.deliverState({ListenerState::Kind::waiting, NetworkError{"Daemon not running"}});
    mainThread.drain();
    EXPECT_EQ(listener->advertisingTrouble(), (AdvertisingTrouble{true, "Daemon not running"}));

    made.deliverState({ListenerState::Kind::ready, std::nullopt, "host #2"});
    mainThread.drain();
    EXPECT_EQ(listener->advertisingTrouble(), std::nullopt);
    EXPECT_EQ(listener->advertisedName(), "host #2");

    made.deliverState({ListenerState::Kind::failed, NetworkError{"Invalid service type"}});
    mainThread.drain();
    EXPECT_EQ(listener->advertisingTrouble(), (AdvertisingTrouble{false, "Invalid service type"}));
}

// Receives that were under way when the service went away end its connection's loop.
TEST_F(ScanListenerTest, CompletionsAfterTheServiceIsGoneIssueNoFurtherReceive) {
    for (const Bytes& inFlight : {Bytes{}, Bytes{0, 0, 0, 2}, Bytes{0, 0x20, 0, 0}}) {
        make();
        const auto connection = connect();
        connection->feed(inFlight);
        listener.reset();
        connection->completeReceive(Bytes{'{', '}'});
        EXPECT_TRUE(connection->pending.empty());
        EXPECT_EQ(mainThread.drain(), 0u);
    }
}

// The service's destruction waits for the network queue, so the network side must never hold the
// last strong reference: here the main thread drops its own reference right after the first post
// and runs the jobs at once, which must end the service there and then (and do nothing more).
TEST_F(ScanListenerTest, NetworkSideNeverEndsUpWithTheLastReference) {
    const auto check = [&](const char* name, const std::function<void(FakeConnection&)>& callback) {
        SCOPED_TRACE(name);
        make();
        const auto connection = connect();
        const std::weak_ptr<ScanListener> weak = listener;
        bool first = true;
        mainThread.afterPost = [&] {
            if (std::exchange(first, false)) {
                listener.reset();
                mainThread.drain();
                EXPECT_TRUE(weak.expired());
            }
        };
        callback(*connection);
        mainThread.afterPost = nullptr;
        EXPECT_FALSE(first) << "nothing was posted";
    };
    check("listener state", [&](FakeConnection&) {
        network.listener().deliverState({ListenerState::Kind::ready, std::nullopt});
    });
    check("new connection",
          [&](FakeConnection&) { network.listener().deliverConnection(network.makeConnection()); });
    check("connection state", [](FakeConnection& c) { c.deliverState({}); });
    check("message", [](FakeConnection& c) { c.feed(scan("1")); });
    check("peer end", [](FakeConnection& c) { c.completeReceive(std::nullopt, true); });
    check("header failure",
          [](FakeConnection& c) { c.completeReceive(std::nullopt, false, NetworkError{"reset"}); });
}

}  // namespace
}  // namespace tavo
