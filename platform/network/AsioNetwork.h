#pragma once

#include <memory>
#include <string>

#include "platform/Network.h"

namespace tavo {

// TCP with standalone asio and DNS-SD with the system's avahi-daemon.
class AsioNetwork : public Network {
  public:
    std::unique_ptr<NetworkQueue> makeQueue(std::string label) override;
    // queue must be one that this network made.
    std::shared_ptr<Listener> makeListener(NetworkQueue& queue) override;
};

}  // namespace tavo
