#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/receiver/ScanListenerFixture.h"

namespace tavo {
namespace {

// Repeated scans are all listed and typed: the phone decides what to send.
TEST_F(ScanListenerTest, KeepsTheTwentyNewestScansWithOneNotificationPerAssignment) {
    std::vector<std::string> typed;
    listener->setOnScan([&](const TavoScan& scan) {
        EXPECT_EQ(listener->recentScans().front().scan, scan) << "listed before typing";
        typed.push_back(scan.value);
    });
    const auto connection = connect();
    const auto same = scan("0");
    receive(*connection, join({same, same}));
    for (int i = 1; i <= 18; ++i) {
        receive(*connection, scan(std::to_string(i)));
    }
    EXPECT_EQ(willChanges, 20);
    EXPECT_EQ(listener->recentScans().size(), 20u);
    receive(*connection, scan("19"));
    EXPECT_EQ(willChanges, 22);
    ASSERT_EQ(listener->recentScans().size(), 20u);
    EXPECT_EQ(listener->recentScans().front().scan.value, "19");
    EXPECT_EQ(listener->recentScans().back().scan.value, "0");
    EXPECT_EQ(typed.size(), 21u);
    EXPECT_TRUE(connection->sent.empty());
}

// The phone hears the mode after its hello and after every assignment, also of the same mode.
TEST_F(ScanListenerTest, HelloAndEveryModeAssignmentSendTheStatus) {
    network.listener().deliverState({ListenerState::Kind::failed, NetworkError{"earlier"}});
    listener->setOutputMode(ReceiverOutputMode::csv);
    const auto connection = connect();
    willChanges = 0;
    receive(*connection, hello("Stockroom iPhone"));
    EXPECT_EQ(listener->connectedDeviceName(), "Stockroom iPhone");
    EXPECT_EQ(listener->lastError(), std::nullopt);
    EXPECT_EQ(willChanges, 2);

    listener->setOutputMode(ReceiverOutputMode::csv);
    listener->setOutputMode(ReceiverOutputMode::newline);
    EXPECT_EQ(willChanges, 4);
    EXPECT_EQ(defaults.writes, 3u);
    EXPECT_EQ(defaults.string(ScanListener::outputModeKey), "newline");
    EXPECT_EQ(connection->sent,
              (std::vector<Bytes>{status(ReceiverOutputMode::csv), status(ReceiverOutputMode::csv),
                                  status(ReceiverOutputMode::newline)}));
}

}  // namespace
}  // namespace tavo
