#include <gtest/gtest.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <filesystem>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/network/AsioConnection.h"
#include "platform/network/AsioNetwork.h"
#include "tests/network/Loopback.h"
#include "tests/support/WaitUntil.h"

namespace tavo {
namespace {

using test::Mailbox;
using test::Peer;
using Kind = ConnectionState::Kind;

// One receive completion; failed: it came with an error.
struct Received {
    std::optional<Bytes> content;
    bool isComplete = false;
    bool failed = false;
    bool operator==(const Received&) const = default;
};

Bytes bytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

auto openDescriptors() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
}

class ConnectionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        listener->setNewConnectionHandler([this](auto connection) { accepted.push(connection); });
        listener->start();
    }

    // A peer and the started connection that it made.
    std::pair<Peer, std::shared_ptr<Connection>> connect() {
        Peer peer(listener->port());
        auto connection = accepted.pop().value();
        connection->setStateUpdateHandler([this](ConnectionState s) { states.push(s.kind); });
        connection->start();
        return {std::move(peer), connection};
    }

    void receive(Connection& connection, std::size_t minimum, std::size_t maximum) {
        connection.receive(minimum, maximum, [this](auto content, bool isComplete, auto error) {
            received.push({std::move(content), isComplete, error.has_value()});
        });
    }

    Received next() { return received.pop().value(); }

    std::vector<Kind> nextStates(std::size_t count) {
        std::vector<Kind> kinds;
        while (kinds.size() < count) {
            kinds.push_back(states.pop().value());
        }
        return kinds;
    }

    // Declared first so that they outlive the network thread.
    Mailbox<std::shared_ptr<Connection>> accepted;
    Mailbox<Received> received;
    Mailbox<Kind> states;
    AsioNetwork network;
    std::unique_ptr<NetworkQueue> queue = network.makeQueue("test.network");
    std::shared_ptr<Listener> listener = network.makeListener(*queue);
};

TEST_F(ConnectionTest, ReceivesBetweenMinimumAndMaximumHoweverTheBytesAreSplit) {
    auto [peer, connection] = connect();
    const Bytes first = bytes("header, then the body");
    const Bytes second = bytes("second");
    receive(*connection, 0, 0);
    EXPECT_EQ(next(), (Received{Bytes(), false, false}));

    // One byte per write: each receive still waits for its minimum.
    for (std::size_t i = 0; i < first.size(); ++i) {
        peer.write(ByteView(first).subspan(i, 1));
    }
    receive(*connection, 4, 4);
    receive(*connection, first.size() - 4, first.size() - 4);
    EXPECT_EQ(next().content, Bytes(first.begin(), first.begin() + 4));
    EXPECT_EQ(next().content, Bytes(first.begin() + 4, first.end()));
    // Two pieces in one write: no receive takes more than its maximum.
    Bytes both = second;
    both.insert(both.end(), first.begin(), first.end());
    peer.write(both);
    receive(*connection, 6, 6);
    receive(*connection, 1, 3);
    EXPECT_EQ(next(), (Received{second, false, false}));
    const auto some = next().content.value();
    EXPECT_TRUE(some.size() >= 1 && some.size() <= 3) << some.size();
}

TEST_F(ConnectionTest, SendsArriveAndCompleteInOrder) {
    auto [peer, connection] = connect();
    Mailbox<std::pair<int, bool>> completions;
    Bytes expected;
    for (int i = 0; i < 200; ++i) {
        Bytes content(static_cast<std::size_t>(i * 97 % 5000), static_cast<std::uint8_t>(i));
        expected.insert(expected.end(), content.begin(), content.end());
        connection->send(content, [&completions, i](auto error) {
            completions.push({i, error.has_value()});
        });
    }

    EXPECT_EQ(peer.read(expected.size()), expected);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(completions.pop(), std::pair(i, false));
    }
}

// A reset by the peer fails the connection, a cancel ends it; either way nothing goes on.
TEST_F(ConnectionTest, PeerResetOrCancelFailsThePendingReceiveAndLaterSends) {
    for (const Kind end : {Kind::failed, Kind::cancelled}) {
        auto [peer, connection] = connect();
        receive(*connection, 4, 4);
        end == Kind::failed ? peer.reset() : connection->cancel();

        EXPECT_EQ(next(), (Received{std::nullopt, false, true}));
        EXPECT_EQ(nextStates(4), (std::vector{Kind::setup, Kind::preparing, Kind::ready, end}));
        EXPECT_TRUE(end == Kind::failed || peer.ended());
        Mailbox<bool> sent;
        connection->send(bytes("late"), [&sent](auto error) { sent.push(error.has_value()); });
        EXPECT_EQ(sent.pop(), true);
    }
}

TEST_F(ConnectionTest, AcceptedSocketsProbeIdlePeers) {
    auto [peer, connection] = connect();
    const int fd = std::dynamic_pointer_cast<AsioConnection>(connection)->nativeHandle();
    const auto option = [fd](int level, int name) {
        int value = 0;
        socklen_t size = sizeof value;
        ::getsockopt(fd, level, name, &value, &size);
        return value;
    };

    EXPECT_EQ(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPIDLE), 30);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPINTVL), 10);
    EXPECT_EQ(option(IPPROTO_TCP, TCP_KEEPCNT), 3);
}

// The end of the stream completes a receive short, and every later one empty.
TEST_F(ConnectionTest, ManyStreamsEndingOneAfterAnotherLeaveNothingBehind) {
    const auto before = openDescriptors();
    for (int i = 0; i < 1000; ++i) {
        auto [peer, connection] = connect();
        peer.write(bytes("abcdef"));
        peer.endStream();
        // The maximum is what a peer announced, not what the receiver allocates.
        receive(*connection, 0xFFFFFFFF, 0xFFFFFFFF);
        receive(*connection, 4, 4);
        ASSERT_EQ(next(), (Received{bytes("abcdef"), true, false}));
        ASSERT_EQ(next(), (Received{std::nullopt, true, false}));
        connection->cancel();
        ASSERT_EQ(nextStates(4).back(), Kind::cancelled);
    }
    // The network thread may still be letting go of the last one.
    EXPECT_TRUE(testing::waitUntil([&] { return openDescriptors() == before; }, test::patience));
}

TEST_F(ConnectionTest, QueueMayEndBeforeOrAfterWhatWasMadeOnIt) {
    // Pending receives own their connections, as the receiver's do.
    auto [first, firstConnection] = connect();
    auto [second, secondConnection] = connect();
    for (const auto& c : {firstConnection, secondConnection}) {
        c->receive(4, 4, [c](auto, bool, auto) {});
    }
    firstConnection.reset();
    listener.reset();
    queue.reset();
    EXPECT_TRUE(first.ended());

    // Nothing runs any more; everything goes quietly.
    secondConnection->send(bytes("x"), [](auto) { ADD_FAILURE() << "ran after the queue ended"; });
    secondConnection->cancel();
    secondConnection.reset();
    EXPECT_TRUE(second.ended());
}

}  // namespace
}  // namespace tavo
