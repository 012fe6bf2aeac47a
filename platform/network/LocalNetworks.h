#pragma once

#include <asio/ip/address.hpp>
#include <string>
#include <vector>

namespace tavo {

// One address of one of this computer's interfaces, with the length of its network prefix.
struct InterfaceAddress {
    asio::ip::address address;
    unsigned prefixLength;
};

// The addresses of the interfaces that are up, loopback included.
std::vector<InterfaceAddress> interfaceAddresses();

// An IPv4-mapped IPv6 address as IPv4; any other address as it is.
asio::ip::address unmapped(const asio::ip::address& address);

// Loopback, or inside the subnet of one of the given addresses (an IPv4 peer on an IPv6 socket
// counts as IPv4): a peer on one of this computer's networks rather than beyond a router.
bool isLocalPeer(const asio::ip::address& peer, const std::vector<InterfaceAddress>& local);

// Loopback, or one of the given addresses: a peer on this computer itself.
bool isThisComputer(const asio::ip::address& peer, const std::vector<InterfaceAddress>& local);

// Numeric text, IPv4 also for an IPv4-mapped IPv6 address, IPv6 with its scope.
std::string addressText(const asio::ip::address& address);

}  // namespace tavo
