#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace tavo {

struct DiscoveredService {
    std::string name;
    std::string address;  // numeric, with the interface as scope for IPv6 link-local addresses
    std::uint16_t port;
};

// Browses for the service type through avahi-daemon and resolves the first instance found.
// Throws std::runtime_error with a message for the user when none resolves within the timeout or
// the daemon cannot be reached.
DiscoveredService discoverService(std::string_view type, std::chrono::duration<double> timeout);

}  // namespace tavo
