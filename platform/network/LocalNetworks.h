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

// Loopback, or inside the subnet of one of the given addresses (an IPv4 peer on an IPv6 socket
// counts as IPv4). Only such peers are served: a phone is on the same network as the receiver.
bool isLocalPeer(const asio::ip::address& peer, const std::vector<InterfaceAddress>& local);

// Numeric text, IPv4 also for an IPv4-mapped IPv6 address, IPv6 with its scope.
std::string addressText(const asio::ip::address& address);

}  // namespace tavo
