#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

TEST(ScanListenerConstruction, ReadsOnlyExactlyCsvAsCsvAndWritesNothing) {
    const std::vector<std::pair<std::optional<std::string>, ReceiverOutputMode>> cases{
        {std::nullopt, ReceiverOutputMode::newline}, {"csv", ReceiverOutputMode::csv},
        {"CSV", ReceiverOutputMode::newline},        {"", ReceiverOutputMode::newline},
        {"tab", ReceiverOutputMode::newline},        {"newline", ReceiverOutputMode::newline}};
    for (const auto& [stored, expected] : cases) {
        ManualMainThread mainThread;
        MemoryDefaultsStore defaults;
        FakeNetwork network;
        if (stored) {
            defaults.setString(ScanListener::outputModeKey, *stored);
        }
        const auto listener = ScanListener::make(mainThread, defaults, network);
        EXPECT_EQ(listener->outputMode(), expected) << stored.value_or("(nothing)");
        EXPECT_EQ(defaults.writes().size(), stored ? 1u : 0u);
        EXPECT_EQ(mainThread.pending(), 0u);
    }
}

TEST_F(ScanListenerTest, AdvertisesAPlainListenerOnItsNetworkQueue) {
    ASSERT_EQ(network.queueLabels(), std::vector<std::string>{"tavo.receiver.network"});
    auto& made = network.listener();
    EXPECT_EQ(dynamic_cast<FakeNetworkQueue&>(made.queue()).label, "tavo.receiver.network");
    ASSERT_TRUE(made.service());
    EXPECT_EQ(made.service()->name, std::nullopt);
    EXPECT_EQ(made.service()->type, "_tavo._tcp");
    EXPECT_EQ(made.service()->domain, std::nullopt);
    EXPECT_EQ(made.calls(), (std::vector<std::string>{"setService", "setNewConnectionHandler",
                                                      "setStateUpdateHandler", "start"}));
    EXPECT_EQ(listener->port(), made.port());
}

TEST_F(ScanListenerTest, SecondStartDoesNothing) {
    ScanListenerTestPeer::start(*listener);
    EXPECT_EQ(network.listeners().size(), 1u);
    EXPECT_EQ(network.listener().calls().size(), 4u);
}

TEST_F(ScanListenerTest, ListenerCreationFailureIsRecorded) {
    network.listenerError = NetworkError{"no sockets"};
    make();
    EXPECT_EQ(listener->lastError(), "no sockets");
    EXPECT_EQ(listener->port(), std::nullopt);
    EXPECT_FALSE(listener->isAdvertising());
    EXPECT_EQ(network.listeners().size(), 1u) << "only the one made by SetUp";
}

TEST_F(ScanListenerTest, ReadyThenFailedKeepsAdvertisingAndRecordsTheError) {
    auto& made = network.listener();
    made.deliverState({ListenerState::Kind::setup, std::nullopt});
    made.deliverState({ListenerState::Kind::waiting, NetworkError{"no network"}});
    made.deliverState({ListenerState::Kind::ready, std::nullopt});
    EXPECT_FALSE(listener->isAdvertising()) << "changed on the network queue";
    mainThread.drain();
    EXPECT_TRUE(listener->isAdvertising());
    EXPECT_EQ(listener->lastError(), std::nullopt);
    EXPECT_EQ(willChanges, 1);

    made.deliverState({ListenerState::Kind::failed, NetworkError{"daemon gone"}});
    made.deliverState({ListenerState::Kind::cancelled, std::nullopt});
    mainThread.drain();
    EXPECT_TRUE(listener->isAdvertising());
    EXPECT_EQ(listener->lastError(), "daemon gone");
    EXPECT_EQ(willChanges, 2);
}

TEST_F(ScanListenerTest, FailedBeforeReadyLeavesAdvertisingOff) {
    network.listener().deliverState({ListenerState::Kind::failed, NetworkError{"collision"}});
    mainThread.drain();
    EXPECT_FALSE(listener->isAdvertising());
    EXPECT_EQ(listener->lastError(), "collision");
}

TEST_F(ScanListenerTest, StateAndAcceptJobsAfterTheServiceIsGoneDoNothing) {
    const auto connection = connect();
    const auto late = network.makeConnection();
    network.listener().deliverState({ListenerState::Kind::ready, std::nullopt});
    network.listener().deliverConnection(late);
    connection->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
    listener.reset();
    EXPECT_EQ(mainThread.drain(), 3u);
    EXPECT_TRUE(late->calls().empty());
}

// The service's destruction waits for the network queue, so the network side must never hold the
// last strong reference: here the main thread drops its own reference right after the first post
// and runs the job at once.
TEST_F(ScanListenerTest, NetworkSideNeverEndsUpWithTheLastReference) {
    const std::vector<std::pair<std::string, std::function<void(FakeConnection&)>>> callbacks{
        {"listener state",
         [&](FakeConnection&) {
             network.listener().deliverState({ListenerState::Kind::ready, std::nullopt});
         }},
        {"new connection",
         [&](FakeConnection&) {
             network.listener().deliverConnection(network.makeConnection());
         }},
        {"connection state",
         [](FakeConnection& c) {
             c.deliverState({ConnectionState::Kind::ready, std::nullopt});
         }},
        {"message",
         [](FakeConnection& c) {
             c.feed(scan("1"));
         }},
        {"peer end",
         [](FakeConnection& c) {
             c.endStream();
         }},
        {"header failure",
         [](FakeConnection& c) {
             c.completeReceive(std::nullopt, false, NetworkError{"reset"});
         }},
    };
    for (const auto& [name, callback] : callbacks) {
        make();
        const auto connection = connect();
        const std::weak_ptr<ScanListener> weak = listener;
        bool first = true;
        mainThread.afterPost = [&] {
            if (std::exchange(first, false)) {
                network.onMainSide([&] {
                    listener.reset();
                    mainThread.drain();
                });
            }
        };
        callback(*connection);
        mainThread.afterPost = nullptr;
        listener.reset();
        mainThread.drain();
        EXPECT_TRUE(weak.expired()) << name;
        EXPECT_FALSE(network.queueDestroyedOnNetworkSide()) << name;
    }
}

}  // namespace
}  // namespace tavo
