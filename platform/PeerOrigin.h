#pragma once

#include <string>

namespace tavo {

// Where a connection comes from, as far as this computer can tell: what a phone is known by
// besides the name it gives.
struct PeerOrigin {
    enum class Kind {
        // A device on one of this computer's links; known by its hardware address, or by its
        // network address where the kernel did not know the hardware address.
        localLink,
        // Reached through a router: known by its network address only.
        otherNetwork,
        // A socket on this computer owned by the user who runs the receiver.
        sameUser,
        // A socket on this computer owned by another user, or by a user that could not be told.
        otherUser,
    };
    Kind kind = Kind::localLink;
    // localLink: the hardware address ("aa:bb:cc:dd:ee:ff") or nothing; sameUser and otherUser:
    // the numeric user id or nothing; otherNetwork: nothing.
    std::string id;
    friend bool operator==(const PeerOrigin&, const PeerOrigin&) = default;
};

}  // namespace tavo
