#pragma once

#include <memory>
#include <string>

#include "platform/Listener.h"

namespace tavo {

// The serial network context. Destroying it stops it and waits for the job that runs, if any.
class NetworkQueue {
  public:
    virtual ~NetworkQueue() = default;
};

class Network {
  public:
    virtual ~Network() = default;

    virtual std::unique_ptr<NetworkQueue> makeQueue(std::string label) = 0;
    // A plain TCP listener on any port whose handlers run on queue. Throws NetworkError.
    virtual std::shared_ptr<Listener> makeListener(NetworkQueue& queue) = 0;
};

}  // namespace tavo
