#pragma once

#include <memory>
#include <string>
#include <thread>

#include "platform/Network.h"
#include "platform/network/NetworkContext.h"

namespace tavo {

// One thread running one io_context: every handler made on it runs there, one at a time.
class AsioQueue : public NetworkQueue {
  public:
    explicit AsioQueue(const std::string& label);
    // Stops the context and waits for its thread, then destroys the handlers that never ran.
    ~AsioQueue() override;

    AsioQueue(const AsioQueue&) = delete;
    AsioQueue& operator=(const AsioQueue&) = delete;

    const std::shared_ptr<NetworkContext>& context() const { return context_; }

  private:
    std::shared_ptr<NetworkContext> context_ = std::make_shared<NetworkContext>();
    std::thread thread_;
};

}  // namespace tavo
