#include <gtest/gtest.h>

#include "platform/network/LocalNetworks.h"

namespace tavo {
namespace {

using asio::ip::make_address;

TEST(LocalNetworksTest, OnlyLoopbackAndPeersInsideAnOwnSubnetAreLocal) {
    const std::vector<InterfaceAddress> own{{make_address("192.168.1.10"), 24},
                                            {make_address("10.0.0.5"), 9},
                                            {make_address("fd00:1:2:3::5"), 64},
                                            {make_address("fe80::1%1"), 64}};
    const std::vector<std::pair<const char*, bool>> cases{
        {"127.0.0.1", true},
        {"::1", true},
        {"::ffff:127.0.0.1", true},
        {"192.168.1.200", true},
        {"::ffff:192.168.1.200", true},
        {"192.168.2.1", false},
        {"10.127.255.254", true},
        {"10.128.0.1", false},
        {"fd00:1:2:3::99", true},
        {"fd00:1:2:4::99", false},
        {"fe80::abcd%2", true},
        {"2001:db8::1", false},
        {"::ffff:8.8.8.8", false},
    };
    for (const auto& [peer, local] : cases) {
        EXPECT_EQ(isLocalPeer(make_address(peer), own), local) << peer;
    }
    EXPECT_EQ(addressText(make_address("::ffff:192.168.1.200")), "192.168.1.200");

    // This computer itself: loopback and its own addresses, whose sockets have local owners.
    for (const char* self : {"127.0.0.2", "::1", "::ffff:192.168.1.10", "fe80::1%1"}) {
        EXPECT_TRUE(isThisComputer(make_address(self), own)) << self;
    }
    for (const char* other : {"192.168.1.11", "fe80::2%1", "10.0.0.6"}) {
        EXPECT_FALSE(isThisComputer(make_address(other), own)) << other;
    }
}

TEST(LocalNetworksTest, FindsThisComputersLoopback) {
    bool found = false;
    for (const InterfaceAddress& own : interfaceAddresses()) {
        found = found || (own.address == make_address("127.0.0.1") && own.prefixLength == 8);
    }
    EXPECT_TRUE(found);
}

}  // namespace
}  // namespace tavo
