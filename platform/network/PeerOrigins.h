#pragma once

#include <asio/ip/tcp.hpp>

#include "platform/PeerOrigin.h"

namespace tavo {

// Where an accepted connection comes from: its hardware address from the kernel's neighbour table
// for a peer on a local link, or the owner of the connecting socket (inet_diag) for a peer on this
// computer. Two short netlink round trips at most.
PeerOrigin peerOriginOf(const asio::ip::tcp::socket& socket);

}  // namespace tavo
