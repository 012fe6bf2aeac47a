#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

// Checks one status frame as the phone reads it: the header counts the body, which is the JSON of
// a status carrying mode.
void expectStatusFrame(const Bytes& frame, std::string_view mode) {
    ASSERT_GE(frame.size(), 4u);
    const std::size_t length = (std::size_t{frame[0]} << 24) | (std::size_t{frame[1]} << 16) |
                               (std::size_t{frame[2]} << 8) | frame[3];
    EXPECT_EQ(length, frame.size() - 4);
    EXPECT_EQ(nlohmann::json::parse(frame.begin() + 4, frame.end()),
              nlohmann::json({{"kind", "status"}, {"payload", {{"outputMode", mode}}}}));
}

TEST_F(ScanListenerTest, HelloSetsTheNameClearsTheErrorAndRepliesWithTheStatus) {
    defaults.setString(ScanListener::outputModeKey, "csv");
    make();
    network.listener().deliverState({ListenerState::Kind::failed, NetworkError{"earlier"}});
    mainThread.drain();
    const auto connection = connect();
    willChanges = 0;

    receive(*connection, hello("Stockroom iPhone"));
    EXPECT_EQ(listener->connectedDeviceName(), "Stockroom iPhone");
    EXPECT_EQ(listener->lastError(), std::nullopt);
    EXPECT_EQ(willChanges, 2);
    ASSERT_EQ(connection->sent().size(), 1u);
    expectStatusFrame(connection->sent()[0], "csv");

    receive(*connection, hello(""));
    EXPECT_EQ(listener->connectedDeviceName(), std::optional<std::string>(""));
    ASSERT_EQ(connection->sent().size(), 2u);
    expectStatusFrame(connection->sent()[1], "csv");
}

TEST_F(ScanListenerTest, HelloFromAReplacedConnectionIsAnsweredOnTheActiveOne) {
    const auto first = connect();
    const auto second = connect();
    receive(*first, hello("first"));
    EXPECT_EQ(listener->connectedDeviceName(), "first");
    EXPECT_TRUE(first->sent().empty());
    ASSERT_EQ(second->sent().size(), 1u);
    expectStatusFrame(second->sent()[0], "newline");
}

TEST_F(ScanListenerTest, KeepsTheTwentyNewestScansWithOneNotificationPerAssignment) {
    std::vector<std::string> typed;
    listener->setOnScan([&](const TavoScan& scan) {
        EXPECT_EQ(listener->recentScans().front().value, scan.value) << "listed before typing";
        typed.push_back(scan.value);
    });
    const auto connection = connect();
    for (int i = 1; i <= 20; ++i) {
        receive(*connection, scan(std::to_string(i)));
    }
    EXPECT_EQ(willChanges, 20);
    receive(*connection, scan("21"));
    EXPECT_EQ(willChanges, 22);
    ASSERT_EQ(listener->recentScans().size(), 20u);
    EXPECT_EQ(listener->recentScans().front().value, "21");
    EXPECT_EQ(listener->recentScans().back().value, "2");
    EXPECT_EQ(typed.size(), 21u);
    EXPECT_EQ(typed.back(), "21");
    EXPECT_TRUE(connection->sent().empty());
}

TEST_F(ScanListenerTest, TheSameScanTwiceIsListedAndHandedOverTwice) {
    int calls = 0;
    listener->setOnScan([&](const TavoScan&) { ++calls; });
    const auto connection = connect();
    const TavoScan same("4006381333931", "ean13", 763637213.25);
    receive(*connection, join({scan(same), scan(same)}));
    ASSERT_EQ(listener->recentScans().size(), 2u);
    EXPECT_EQ(listener->recentScans()[0], same);
    EXPECT_EQ(listener->recentScans()[1], same);
    EXPECT_EQ(calls, 2);
}

TEST_F(ScanListenerTest, EveryOutputModeAssignmentPersistsAndTellsTheConnectedPhone) {
    listener->setOutputMode(ReceiverOutputMode::csv);
    EXPECT_EQ(listener->outputMode(), ReceiverOutputMode::csv);
    EXPECT_EQ(defaults.string(ScanListener::outputModeKey), "csv");
    EXPECT_EQ(willChanges, 1);

    const auto connection = connect();
    listener->setOutputMode(ReceiverOutputMode::csv);
    listener->setOutputMode(ReceiverOutputMode::newline);
    EXPECT_EQ(willChanges, 3);
    EXPECT_EQ(defaults.writes(),
              (std::vector<std::pair<std::string, std::string>>{{"tavo.outputMode", "csv"},
                                                                {"tavo.outputMode", "csv"},
                                                                {"tavo.outputMode", "newline"}}));
    ASSERT_EQ(connection->sent().size(), 2u);
    expectStatusFrame(connection->sent()[0], "csv");
    expectStatusFrame(connection->sent()[1], "newline");
}

TEST_F(ScanListenerTest, AStatusFromThePhoneChangesNothing) {
    const auto connection = connect();
    receive(*connection, frameOf(R"({"kind":"status","payload":{"outputMode":"csv"}})"));
    EXPECT_EQ(listener->outputMode(), ReceiverOutputMode::newline);
    EXPECT_EQ(willChanges, 0);
    EXPECT_TRUE(connection->sent().empty());
    EXPECT_TRUE(defaults.writes().empty());
}

}  // namespace
}  // namespace tavo
