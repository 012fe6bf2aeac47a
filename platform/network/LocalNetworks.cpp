#include "platform/network/LocalNetworks.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace tavo {
namespace {

std::array<unsigned char, 16> bytesOf(const asio::ip::address& address) {
    std::array<unsigned char, 16> bytes{};
    if (address.is_v4()) {
        const auto v4 = address.to_v4().to_bytes();
        std::copy(v4.begin(), v4.end(), bytes.begin());
    } else {
        bytes = address.to_v6().to_bytes();
    }
    return bytes;
}

bool samePrefix(const asio::ip::address& a, const asio::ip::address& b, unsigned length) {
    const auto left = bytesOf(a);
    const auto right = bytesOf(b);
    for (unsigned bit = 0; bit < length; bit += 8) {
        const unsigned bits = std::min(8u, length - bit);
        const auto mask = static_cast<unsigned char>(0xff << (8 - bits));
        if ((left[bit / 8] & mask) != (right[bit / 8] & mask)) {
            return false;
        }
    }
    return true;
}

unsigned prefixLengthOf(const sockaddr* netmask) {
    if (netmask == nullptr) {
        return 0;
    }
    const unsigned char* bytes = nullptr;
    std::size_t size = 0;
    if (netmask->sa_family == AF_INET) {
        bytes = reinterpret_cast<const unsigned char*>(
            &reinterpret_cast<const sockaddr_in*>(netmask)->sin_addr);
        size = 4;
    } else {
        bytes = reinterpret_cast<const sockaddr_in6*>(netmask)->sin6_addr.s6_addr;
        size = 16;
    }
    unsigned length = 0;
    for (std::size_t i = 0; i < size; ++i) {
        length += static_cast<unsigned>(std::popcount(bytes[i]));
    }
    return length;
}

}  // namespace

asio::ip::address unmapped(const asio::ip::address& address) {
    if (address.is_v6() && address.to_v6().is_v4_mapped()) {
        return asio::ip::make_address_v4(asio::ip::v4_mapped, address.to_v6());
    }
    return address;
}

std::vector<InterfaceAddress> interfaceAddresses() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return {};
    }
    const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, freeifaddrs);
    std::vector<InterfaceAddress> found;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || (entry->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        if (entry->ifa_addr->sa_family == AF_INET) {
            asio::ip::address_v4::bytes_type bytes;
            std::memcpy(bytes.data(),
                        &reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr,
                        bytes.size());
            found.push_back({asio::ip::address_v4(bytes), prefixLengthOf(entry->ifa_netmask)});
        } else if (entry->ifa_addr->sa_family == AF_INET6) {
            const auto* in6 = reinterpret_cast<const sockaddr_in6*>(entry->ifa_addr);
            asio::ip::address_v6::bytes_type bytes;
            std::memcpy(bytes.data(), in6->sin6_addr.s6_addr, bytes.size());
            found.push_back({asio::ip::address_v6(bytes, in6->sin6_scope_id),
                             prefixLengthOf(entry->ifa_netmask)});
        }
    }
    return found;
}

bool isLocalPeer(const asio::ip::address& peer, const std::vector<InterfaceAddress>& local) {
    const auto address = unmapped(peer);
    if (address.is_loopback()) {
        return true;
    }
    return std::ranges::any_of(local, [&](const InterfaceAddress& own) {
        const auto ownAddress = unmapped(own.address);
        return ownAddress.is_v4() == address.is_v4() &&
               samePrefix(ownAddress, address, own.prefixLength);
    });
}

bool isThisComputer(const asio::ip::address& peer, const std::vector<InterfaceAddress>& local) {
    const auto address = unmapped(peer);
    return address.is_loopback() || std::ranges::any_of(local, [&](const InterfaceAddress& own) {
               const auto ownAddress = unmapped(own.address);
               return ownAddress.is_v4() == address.is_v4() &&
                      bytesOf(ownAddress) == bytesOf(address);
           });
}

std::string addressText(const asio::ip::address& address) {
    return unmapped(address).to_string();
}

}  // namespace tavo
