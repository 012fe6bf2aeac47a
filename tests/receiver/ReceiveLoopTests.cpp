#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "platform/Log.h"
#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

using Request = FakeConnection::ReceiveRequest;

constexpr std::size_t mebibyte = 1024 * 1024;

TEST_F(ScanListenerTest, FramesBackToBackAreReadExactlyAndHandledInOrder) {
    const auto connection = connect();
    EXPECT_EQ(connection->calls,
              (std::vector<std::string>{"setStateUpdateHandler", "start", "receive"}));
    const auto first = scan("first");
    const auto second = scan("second");
    connection->feed(join({first, second}));
    EXPECT_TRUE(listener->recentScans().empty()) << "handled on the main thread";
    mainThread.drain();
    EXPECT_EQ(scanValues(), (std::vector<std::string>{"second", "first"}));
    const Request header{4, 4};
    const Request firstBody{first.size() - 4, first.size() - 4};
    const Request secondBody{second.size() - 4, second.size() - 4};
    EXPECT_EQ(connection->requests,
              (std::vector<Request>{header, firstBody, header, secondBody, header}));
}

TEST_F(ScanListenerTest, FramesThatDoNotDecodeOrCarryAStatusChangeNothing) {
    const auto connection = connect();
    receive(*connection, join({frameOf("not json"), frameOf("\xff\xfe"), frameOf(""),
                               frameOf(R"({"kind":"ping","payload":{}})"),
                               frameOf(R"({"kind":"hello","payload":{"deviceName":7}})"),
                               frameOf(R"({"kind":"status","payload":{"outputMode":"csv"}})")}));
    // An empty body may also come as no content at all.
    connection->completeReceive(Bytes{0, 0, 0, 0});
    connection->completeReceive(std::nullopt);
    EXPECT_EQ(connection->requests.back(), (Request{4, 4}));
    EXPECT_EQ(willChanges, 0);
    EXPECT_EQ(listener->outputMode(), ReceiverOutputMode::newline);
    EXPECT_TRUE(connection->sent.empty());
    EXPECT_EQ(defaults.writes, 0u);

    receive(*connection, scan("kept"));
    EXPECT_EQ(scanValues(), std::vector<std::string>{"kept"});
}

TEST_F(ScanListenerTest, BodiesAboveOneMebibyteAreReadAwayInBoundedChunks) {
    const auto connection = connect();
    const std::string whole(mebibyte, 'x');
    receive(*connection, frameOf(whole));
    EXPECT_EQ(connection->requests[1], (Request{mebibyte, mebibyte}))
        << "a body of exactly the limit is read whole";

    const auto before = connection->requests.size();
    receive(*connection, join({frameOf(whole + 'x'), scan("after")}));
    EXPECT_EQ(scanValues(), std::vector<std::string>{"after"});
    std::size_t discarded = 0;
    for (auto request = connection->requests.begin() + before; *request != Request{4, 4};
         ++request) {
        EXPECT_EQ(request->minimum, 1u);
        EXPECT_LE(request->maximum, 64u * 1024);
        discarded += request->maximum;
    }
    EXPECT_EQ(discarded, mebibyte + 1);

    // The stream ending while a body is read away ends the loop.
    receive(*connection, join({Bytes{0x10, 0, 0, 0}, Bytes(1000, 'x')}));
    connection->completeReceive(std::nullopt, true);
    connection->completeReceive(std::nullopt, true);
    mainThread.drain();
    EXPECT_TRUE(connection->pending.empty());
    EXPECT_EQ(connection->cancels(), 1u);
}

// However the loop stops, the connection is cancelled, so that its cancelled state clears the
// phone's name; only a failure that is not the end of the stream sets lastError.
TEST_F(ScanListenerTest, LoopStopsOnPeerEndOrHeaderFailureCancellingTheConnection) {
    const std::vector<std::tuple<std::optional<Bytes>, bool, std::optional<NetworkError>,
                                 std::optional<std::string>>>
        cases{
            {std::nullopt, true, std::nullopt, std::nullopt},
            {std::nullopt, true, NetworkError{"reset by peer"}, std::nullopt},
            {std::nullopt, false, NetworkError{"reset by peer"}, "reset by peer"},
            {Bytes{0, 0}, false, NetworkError{"timed out"}, "timed out"},
            {std::nullopt, false, std::nullopt, std::nullopt},
        };
    for (const auto& [content, isComplete, error, lastError] : cases) {
        make();
        const auto connection = connect();
        receive(*connection, hello("Stockroom"));
        connection->completeReceive(content, isComplete, error);
        EXPECT_TRUE(connection->pending.empty());
        EXPECT_EQ(connection->cancels(), 0u) << "cancelled from the main thread";
        mainThread.drain();
        EXPECT_EQ(connection->cancels(), 1u);
        EXPECT_EQ(listener->lastError(), lastError);
        EXPECT_EQ(listener->connectedDeviceName(), "Stockroom");
        connection->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
        mainThread.drain();
        EXPECT_EQ(listener->connectedDeviceName(), std::nullopt);
    }
}

// A name describes the connection whose hello gave it: a replaced phone is no longer shown, and
// nothing its connection does later speaks for the one that replaced it.
TEST_F(ScanListenerTest, ANameLastsAsLongAsTheConnectionThatGaveIt) {
    const auto first = connect();
    receive(*first, hello("first"));
    const auto second = connect();
    // Replaced by the hello that shows a phone that may type, not before.
    EXPECT_EQ(first->cancels(), 0u);
    EXPECT_EQ(listener->connectedDeviceName(), "first");
    receive(*second, hello("second"));
    EXPECT_EQ(first->cancels(), 1u);
    EXPECT_EQ(listener->connectedDeviceName(), "second");

    // The replaced connection's loop goes on: its scans are listed, its hello changes nothing.
    receive(*first, join({hello("late"), scan("late")}));
    EXPECT_EQ(listener->connectedDeviceName(), "second");
    EXPECT_EQ(scanValues(), std::vector<std::string>{"late"});
    EXPECT_EQ(first->sent.size(), 1u);

    first->completeReceive(std::nullopt, false, NetworkError{"reset"});
    first->deliverState({ConnectionState::Kind::cancelled, std::nullopt});
    first->deliverState({ConnectionState::Kind::failed, NetworkError{"gone"}});
    second->deliverState({ConnectionState::Kind::waiting, NetworkError{"no route"}});
    mainThread.drain();
    EXPECT_EQ(first->cancels(), 1u);
    EXPECT_EQ(listener->connectedDeviceName(), "second");
    EXPECT_EQ(listener->lastError(), std::nullopt);
    EXPECT_EQ(second->sent, std::vector<Bytes>{status(ReceiverOutputMode::newline)});

    second->deliverState({ConnectionState::Kind::failed, NetworkError{"gone"}});
    mainThread.drain();
    EXPECT_EQ(listener->connectedDeviceName(), std::nullopt);
    EXPECT_EQ(second->cancels(), 0u);
}

// Warnings say why a scan went missing, details only show when verbose; scan values never do.
TEST_F(ScanListenerTest, LogsWhyFramesAreDroppedButNeverTheScanValues) {
    const auto connection = connect();
    const std::string value = "SECRET-4006381333931";
    ::testing::internal::CaptureStderr();
    receive(*connection,
            join({frameOf(R"({"kind":"scan","payload":{"value":")" + value + R"(","id":7}})"),
                  frameOf("not json " + value), scan(value)}));
    log::setVerbose(true);
    receive(*connection, join({hello("Ana's iPhone"), scan(value)}));
    connection->completeReceive(std::nullopt, false, NetworkError{"reset by peer"});
    mainThread.drain();
    log::setVerbose(false);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "tavo-receiver: warning: frame dropped: type mismatch at \"payload.id\"\n"
              "tavo-receiver: warning: frame dropped: data corrupted at the top level\n"
              "tavo-receiver: connected device: \"Ana's iPhone\"\n"
              "tavo-receiver: warning: connection lost: reset by peer\n");
}

}  // namespace
}  // namespace tavo
