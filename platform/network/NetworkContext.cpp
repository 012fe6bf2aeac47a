#include "platform/network/NetworkContext.h"

namespace tavo {

void NetworkContext::close() {
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
    }
    // Destroys the pending handlers and with them what they own; destructors that post now find
    // the context closed.
    io_.shutdown();
}

}  // namespace tavo
