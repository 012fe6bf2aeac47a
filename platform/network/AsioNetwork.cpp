#include "platform/network/AsioNetwork.h"

#include "platform/network/AsioListener.h"
#include "platform/network/AsioQueue.h"

namespace tavo {

std::unique_ptr<NetworkQueue> AsioNetwork::makeQueue(std::string label) {
    return std::make_unique<AsioQueue>(label);
}

std::shared_ptr<Listener> AsioNetwork::makeListener(NetworkQueue& queue) {
    auto* asioQueue = dynamic_cast<AsioQueue*>(&queue);
    if (!asioQueue) {
        throw NetworkError{"Not a network queue of this platform"};
    }
    return std::make_shared<AsioListener>(asioQueue->context());
}

}  // namespace tavo
