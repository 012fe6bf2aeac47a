#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// Every instance the daemon knows, one entry per resolved address, once the daemon has told them
// all or the timeout has passed. Throws std::runtime_error when the daemon cannot be reached.
std::vector<DiscoveredService> listServices(std::string_view type,
                                            std::chrono::duration<double> timeout);

}  // namespace tavo
