#include "platform/network/PeerOrigins.h"

#include <arpa/inet.h>
#include <netlink/addr.h>
#include <netlink/cache.h>
#include <netlink/idiag/idiagnl.h>
#include <netlink/idiag/msg.h>
#include <netlink/netlink.h>
#include <netlink/route/neighbour.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <span>

#include "platform/network/LocalNetworks.h"

namespace tavo {
namespace {

using Socket = std::unique_ptr<nl_sock, decltype(&nl_socket_free)>;
using Cache = std::unique_ptr<nl_cache, decltype(&nl_cache_free)>;

std::span<const unsigned char> bytesOf(nl_addr* address) {
    if (address == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(nl_addr_get_binary_addr(address)),
            nl_addr_get_len(address)};
}

bool sameAddress(nl_addr* kernel, const asio::ip::address& wanted) {
    const auto bytes = bytesOf(kernel);
    if (wanted.is_v4()) {
        const auto v4 = wanted.to_v4().to_bytes();
        if (nl_addr_get_family(kernel) == AF_INET6 && bytes.size() == 16) {
            // An IPv6 socket's IPv4-mapped form.
            const auto mapped = asio::ip::make_address_v6(asio::ip::v4_mapped, wanted.to_v4());
            return std::ranges::equal(bytes, mapped.to_bytes());
        }
        // inet_diag's IPv4 addresses come in a 16-byte field.
        return nl_addr_get_family(kernel) == AF_INET && bytes.size() >= v4.size() &&
               std::ranges::equal(bytes.first(v4.size()), v4);
    }
    return std::ranges::equal(bytes, wanted.to_v6().to_bytes());
}

std::optional<std::string> hardwareAddressOf(const asio::ip::address& address) {
    Socket socket(nl_socket_alloc(), nl_socket_free);
    nl_cache* raw = nullptr;
    if (!socket || nl_connect(socket.get(), NETLINK_ROUTE) < 0 ||
        rtnl_neigh_alloc_cache(socket.get(), &raw) < 0) {
        return std::nullopt;
    }
    const Cache cache(raw, nl_cache_free);
    // The same link-local address may live on several links: its scope names the one.
    const int scope = address.is_v6() ? static_cast<int>(address.to_v6().scope_id()) : 0;
    for (nl_object* entry = nl_cache_get_first(raw); entry != nullptr;
         entry = nl_cache_get_next(entry)) {
        auto* neighbour = reinterpret_cast<rtnl_neigh*>(entry);
        if ((scope != 0 && rtnl_neigh_get_ifindex(neighbour) != scope) ||
            (rtnl_neigh_get_state(neighbour) & (NUD_INCOMPLETE | NUD_FAILED)) != 0 ||
            !sameAddress(rtnl_neigh_get_dst(neighbour), address)) {
            continue;
        }
        nl_addr* link = rtnl_neigh_get_lladdr(neighbour);
        const auto bytes = bytesOf(link);
        if (bytes.empty() || std::ranges::all_of(bytes, [](unsigned char b) { return b == 0; })) {
            continue;
        }
        std::array<char, 64> text{};
        nl_addr2str(link, text.data(), text.size());
        return std::string(text.data());
    }
    return std::nullopt;
}

// The user owning the socket on this computer whose local end is the peer's end.
std::optional<uid_t> ownerOf(const asio::ip::tcp::endpoint& peer,
                             const asio::ip::tcp::endpoint& own) {
    Socket socket(nl_socket_alloc(), nl_socket_free);
    if (!socket || idiagnl_connect(socket.get()) < 0) {
        return std::nullopt;
    }
    const auto address = unmapped(peer.address());
    for (const int family : {AF_INET, AF_INET6}) {
        nl_cache* raw = nullptr;
        if (idiagnl_msg_alloc_cache(socket.get(), family, IDIAGNL_SS_ALL, &raw) < 0) {
            continue;
        }
        const Cache cache(raw, nl_cache_free);
        for (nl_object* entry = nl_cache_get_first(raw); entry != nullptr;
             entry = nl_cache_get_next(entry)) {
            auto* message = reinterpret_cast<idiagnl_msg*>(entry);
            // libnl hands the ports over in network byte order.
            if (ntohs(idiagnl_msg_get_sport(message)) == peer.port() &&
                ntohs(idiagnl_msg_get_dport(message)) == own.port() &&
                sameAddress(idiagnl_msg_get_src(message), address)) {
                return idiagnl_msg_get_uid(message);
            }
        }
    }
    return std::nullopt;
}

}  // namespace

PeerOrigin peerOriginOf(const asio::ip::tcp::socket& socket) {
    asio::error_code error;
    const auto peer = socket.remote_endpoint(error);
    const auto own = socket.local_endpoint(error);
    if (error) {
        return {PeerOrigin::Kind::otherNetwork, {}};
    }
    const auto address = unmapped(peer.address());
    const auto interfaces = interfaceAddresses();
    if (isThisComputer(address, interfaces)) {
        const auto owner = ownerOf(peer, own);
        const bool same = owner && *owner == ::getuid();
        return {same ? PeerOrigin::Kind::sameUser : PeerOrigin::Kind::otherUser,
                owner ? std::to_string(*owner) : std::string()};
    }
    if (auto hardware = hardwareAddressOf(address)) {
        return {PeerOrigin::Kind::localLink, std::move(*hardware)};
    }
    return {isLocalPeer(address, interfaces) ? PeerOrigin::Kind::localLink
                                             : PeerOrigin::Kind::otherNetwork,
            {}};
}

}  // namespace tavo
