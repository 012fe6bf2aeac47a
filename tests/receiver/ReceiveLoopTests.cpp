#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

using Request = FakeConnection::ReceiveRequest;

constexpr std::size_t mebibyte = 1024 * 1024;

TEST_F(ScanListenerTest, FramesBackToBackAreReadExactlyAndHandledInOrder) {
    const auto connection = connect();
    EXPECT_EQ(connection->calls(),
              (std::vector<std::string>{"setStateUpdateHandler", "start", "receive"}));
    const auto first = scan("first");
    const auto second = scan("second");
    connection->feed(join({first, second}));
    EXPECT_TRUE(listener->recentScans().empty()) << "handled on the main thread";
    mainThread.drain();
    EXPECT_EQ(scanValues(), (std::vector<std::string>{"second", "first"}));
    EXPECT_EQ(connection->receiveRequests(),
              (std::vector<Request>{{4, 4},
                                    {first.size() - 4, first.size() - 4},
                                    {4, 4},
                                    {second.size() - 4, second.size() - 4},
                                    {4, 4}}));
}

TEST_F(ScanListenerTest, UndecodableBodiesAreDroppedAndTheNextFrameIsHandled) {
    const auto connection = connect();
    receive(*connection,
            join({frameOf("{}"), frameOf("not json"), frameOf("\xff\xfe"),
                  frameOf(R"({"kind":"ping","payload":{}})"),
                  frameOf(R"({"kind":"hello","payload":{"deviceName":7}})"), scan("kept")}));
    EXPECT_EQ(scanValues(), std::vector<std::string>{"kept"});
    EXPECT_EQ(listener->lastError(), std::nullopt);
    EXPECT_EQ(willChanges, 1);
    EXPECT_EQ(connection->pendingReceives(), 1u);
}

TEST_F(ScanListenerTest, ZeroLengthBodiesCompleteAndTheLoopGoesOn) {
    const auto connection = connect();
    connection->completeReceive(Bytes{0, 0, 0, 0});
    EXPECT_EQ(connection->receiveRequests().back(), (Request{0, 0}));
    connection->completeReceive(std::nullopt);
    connection->completeReceive(Bytes{0, 0, 0, 0});
    connection->completeReceive(Bytes{});
    receive(*connection, scan("after"));
    EXPECT_EQ(scanValues(), std::vector<std::string>{"after"});
}

TEST_F(ScanListenerTest, BodiesAboveOneMebibyteAreReadAwayInBoundedChunks) {
    const auto connection = connect();
    const std::string whole(mebibyte, 'x');
    receive(*connection, frameOf(whole));
    EXPECT_EQ(connection->receiveRequests()[1], (Request{mebibyte, mebibyte}))
        << "a body of exactly the limit is read whole";

    const auto before = connection->receiveRequests().size();
    receive(*connection, frameOf(whole + 'x'));
    receive(*connection, scan("after"));
    EXPECT_EQ(scanValues(), std::vector<std::string>{"after"});
    const std::vector<Request> requests(connection->receiveRequests().begin() + before,
                                        connection->receiveRequests().end());
    std::size_t discarded = 0;
    for (std::size_t i = 0; i < requests.size() && requests[i] != Request{4, 4}; ++i) {
        EXPECT_EQ(requests[i].minimum, 1u);
        EXPECT_LE(requests[i].maximum, 64u * 1024);
        discarded += requests[i].maximum;
    }
    EXPECT_EQ(discarded, mebibyte + 1);
}

TEST_F(ScanListenerTest, StreamEndingWhileDiscardingStopsTheLoop) {
    const auto connection = connect();
    receive(*connection, join({Bytes{0x10, 0, 0, 0}, Bytes(1000, 'x')}));
    connection->endStream();
    mainThread.drain();
    EXPECT_EQ(connection->pendingReceives(), 0u);
    EXPECT_EQ(connection->cancels(), 1u);
}

TEST_F(ScanListenerTest, PeerEndHandlesEveryFrameAndCancelsTheConnection) {
    const auto connection = connect();
    receive(*connection, join({hello("Stockroom"), scan("last")}));
    connection->endStream();
    EXPECT_EQ(connection->cancels(), 0u) << "cancelled from the main thread";
    mainThread.drain();
    EXPECT_EQ(connection->cancels(), 1u);
    EXPECT_EQ(connection->pendingReceives(), 0u);
    EXPECT_EQ(scanValues(), std::vector<std::string>{"last"});
    EXPECT_EQ(listener->lastError(), std::nullopt);
    EXPECT_EQ(listener->connectedDeviceName(), "Stockroom");

    connection->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
    mainThread.drain();
    EXPECT_EQ(listener->connectedDeviceName(), std::nullopt);
}

TEST_F(ScanListenerTest, HeaderFailureSetsLastErrorAndCancels) {
    struct Case {
        std::optional<Bytes> content;
        bool isComplete;
        std::optional<NetworkError> error;
        std::optional<std::string> lastError;
    };
    const std::vector<Case> cases{
        {std::nullopt, false, NetworkError{"reset by peer"}, "reset by peer"},
        {Bytes{0, 0}, false, NetworkError{"timed out"}, "timed out"},
        {std::nullopt, false, std::nullopt, std::nullopt},
        {std::nullopt, true, NetworkError{"reset by peer"}, "earlier"},
    };
    for (const auto& c : cases) {
        make();
        network.listener().deliverState({ListenerState::Kind::failed, NetworkError{"earlier"}});
        mainThread.drain();
        const auto connection = connect();
        connection->completeReceive(c.content, c.isComplete, c.error);
        EXPECT_EQ(connection->pendingReceives(), 0u);
        mainThread.drain();
        EXPECT_EQ(listener->lastError(), c.lastError);
        EXPECT_EQ(connection->cancels(), 1u);
    }
}

TEST_F(ScanListenerTest, CompletionsAfterTheServiceIsGoneIssueNoFurtherReceive) {
    const std::vector<Bytes> inFlight{{}, {0, 0, 0, 2}, {0, 0x20, 0, 0}};
    for (const auto& bytes : inFlight) {
        make();
        const auto connection = connect();
        connection->feed(bytes);
        const auto issued = connection->receiveRequests().size();
        listener.reset();
        connection->completeReceive(Bytes{'{', '}'});
        EXPECT_EQ(connection->receiveRequests().size(), issued);
        EXPECT_EQ(mainThread.drain(), 0u);
    }
}

TEST_F(ScanListenerTest, OnlyTheActiveConnectionsEndClearsTheName) {
    const auto first = connect();
    receive(*first, hello("first"));
    const auto second = connect();
    EXPECT_EQ(first->cancels(), 1u);
    EXPECT_EQ(second->cancels(), 0u);
    receive(*second, hello("second"));
    EXPECT_EQ(second->sent().size(), 1u);

    // The replaced connection's loop and states go on; its end no longer speaks for the phone.
    receive(*first, scan("late"));
    EXPECT_EQ(scanValues(), std::vector<std::string>{"late"});
    first->endStream();
    first->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
    first->deliverState({ConnectionState::Kind::failed, NetworkError{"gone"}});
    mainThread.drain();
    EXPECT_EQ(first->cancels(), 1u);
    EXPECT_EQ(listener->connectedDeviceName(), "second");

    const auto before = willChanges;
    for (const auto kind : {ConnectionState::Kind::setup, ConnectionState::Kind::preparing,
                            ConnectionState::Kind::waiting, ConnectionState::Kind::ready}) {
        second->deliverState({kind, std::nullopt});
    }
    mainThread.drain();
    EXPECT_EQ(willChanges, before);
    second->deliverState({ConnectionState::Kind::failed, NetworkError{"gone"}});
    mainThread.drain();
    EXPECT_EQ(listener->connectedDeviceName(), std::nullopt);
    EXPECT_EQ(listener->lastError(), std::nullopt);
}

}  // namespace
}  // namespace tavo
