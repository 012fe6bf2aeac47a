#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

#include "kit/Bytes.h"
#include "platform/NetworkError.h"
#include "platform/PeerOrigin.h"

namespace tavo {

struct ConnectionState {
    enum class Kind { setup, preparing, waiting, ready, failed, cancelled };
    Kind kind;
    std::optional<NetworkError> error;  // with waiting and failed
};

// content: the bytes received, in stream order, or nothing. isComplete: the peer has ended the
// stream.
using ReceiveCompletion = std::function<void(std::optional<Bytes> content, bool isComplete,
                                             std::optional<NetworkError> error)>;
using SendCompletion = std::function<void(std::optional<NetworkError> error)>;

// One TCP connection. Handlers and completions run on the network queue it was made on; every
// operation may be called from any thread and takes effect there, in the order called.
class Connection {
  public:
    virtual ~Connection() = default;

    virtual void setStateUpdateHandler(std::function<void(ConnectionState)> handler) = 0;
    virtual void start() = 0;
    // The connection ends; a cancelled state follows through the state handler.
    virtual void cancel() = 0;
    // One completion per call, with between minimum and maximum bytes; fewer only when the stream
    // has ended or failed.
    virtual void receive(std::size_t minimumIncompleteLength, std::size_t maximumLength,
                         ReceiveCompletion completion) = 0;
    // Queued in order behind earlier sends; the stream stays open.
    virtual void send(Bytes content, SendCompletion completion) = 0;
    // The peer's numeric address: IPv4 dotted (also when it reached an IPv6 socket), IPv6 with
    // its scope where it has one. Fixed for the connection's life.
    virtual std::string remoteAddress() const = 0;
    // Learnt when the connection was accepted; fixed for its life.
    virtual PeerOrigin peerOrigin() const = 0;
};

}  // namespace tavo
