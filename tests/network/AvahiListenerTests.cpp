// Runs beside its own avahi-daemon on loopback (tests/support/avahi).
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "kit/TavoProtocol.h"
#include "platform/network/AsioNetwork.h"
#include "tests/network/Loopback.h"
#include "tests/support/WaitUntil.h"

namespace tavo {
namespace {

using test::Mailbox;
using Kind = ListenerState::Kind;

// One of the fixture's commands that start and stop the daemon.
bool runFixture(const char* variable) {
    return std::getenv(variable) && std::system(std::getenv(variable)) == 0;
}

// Whether avahi-browse resolves the service on loopback within the patience; name as avahi-browse
// escapes it.
bool resolves(std::uint16_t port, const std::string& name = "[^;]*") {
    const std::string browse = "avahi-browse -rpt _tavo._tcp 2>/dev/null | grep -q '^=;lo;IPv4;" +
                               name + ";_tavo._tcp;local;.*;127.0.0.1;" + std::to_string(port) +
                               ";'";
    return testing::waitUntil([&] { return std::system(browse.c_str()) == 0; }, test::patience);
}

class AvahiListenerTest : public ::testing::Test {
  protected:
    std::shared_ptr<Listener> startListener(
        std::optional<std::string> name = std::nullopt,
        std::string type = std::string(TavoProtocol::serviceType)) {
        auto listener = network.makeListener(*queue);
        listener->setService({std::move(name), std::move(type), {}});
        listener->setStateUpdateHandler([this](ListenerState state) { states.push(state); });
        listener->setNewConnectionHandler([this](auto connection) { accepted.push(connection); });
        listener->start();
        return listener;
    }

    // The next state of that kind, skipping others.
    std::optional<ListenerState> reaches(Kind kind) {
        while (auto state = states.pop()) {
            if (state->kind == kind) {
                return state;
            }
        }
        return std::nullopt;
    }

    void expectWaitingAndAccepting(Listener& listener) {
        const auto waiting = states.pop().value();
        EXPECT_EQ(waiting.kind, Kind::waiting);
        EXPECT_FALSE(waiting.error.value().localizedDescription.empty());
        test::Peer peer(listener.port());
        EXPECT_TRUE(accepted.pop());
    }

    Mailbox<ListenerState> states;
    Mailbox<std::shared_ptr<Connection>> accepted;
    AsioNetwork network;
    std::unique_ptr<NetworkQueue> queue = network.makeQueue("test.network");
};

TEST_F(AvahiListenerTest, IsReadyOnceRegisteredAndRegistersAgainAfterTheDaemonRestarts) {
    auto listener = startListener();
    EXPECT_EQ(states.pop().value().kind, Kind::ready);
    EXPECT_TRUE(resolves(listener->port()));

    ASSERT_TRUE(runFixture("TAVO_AVAHI_RESTART"));
    EXPECT_TRUE(reaches(Kind::waiting));
    EXPECT_TRUE(reaches(Kind::ready));
    EXPECT_TRUE(resolves(listener->port()));
    // The listener, with its Avahi client, may outlive its queue.
    queue.reset();
}

TEST_F(AvahiListenerTest, WaitsForTheDaemonAndAcceptsMeanwhile) {
    ASSERT_TRUE(runFixture("TAVO_AVAHI_STOP"));
    auto listener = startListener();
    expectWaitingAndAccepting(*listener);

    ASSERT_TRUE(runFixture("TAVO_AVAHI_START"));
    EXPECT_TRUE(reaches(Kind::ready));
    EXPECT_TRUE(resolves(listener->port()));
}

// Run with a system bus address that leads nowhere.
TEST_F(AvahiListenerTest, WaitsWithoutASystemBusAndAcceptsMeanwhile) {
    auto listener = startListener();
    expectWaitingAndAccepting(*listener);
}

TEST_F(AvahiListenerTest, FailsWhenTheDaemonRefusesTheService) {
    auto listener = startListener(std::nullopt, "not a service type");

    const auto failed = states.pop().value();
    EXPECT_EQ(failed.kind, Kind::failed);
    EXPECT_FALSE(failed.error.value().localizedDescription.empty());
}

TEST_F(AvahiListenerTest, TakesAnAlternativeNameOnACollision) {
    auto first = startListener("tavo-test");
    ASSERT_TRUE(reaches(Kind::ready));
    auto second = startListener("tavo-test");
    const auto secondReady = reaches(Kind::ready);
    ASSERT_TRUE(secondReady);
    EXPECT_EQ(secondReady->serviceName, "tavo-test #2") << "the name the panel shows";

    EXPECT_TRUE(resolves(first->port(), "tavo-test"));
    // avahi-browse escapes the space and the number sign of "tavo-test #2".
    EXPECT_TRUE(resolves(second->port(), "tavo-test\\\\032\\\\0352"));
}

}  // namespace
}  // namespace tavo
