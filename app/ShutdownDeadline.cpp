#include "app/ShutdownDeadline.h"

#include <unistd.h>

#include "platform/Log.h"

namespace tavo {

void ShutdownDeadline::arm(int exitStatus, std::chrono::milliseconds deadline) {
    watch_ = std::thread([this, exitStatus, deadline] {
        std::unique_lock lock(mutex_);
        if (!ended_.wait_for(lock, deadline, [this] { return isOver_; })) {
            log::warning("quitting without waiting any longer for typing and the desktop");
            _exit(exitStatus);
        }
    });
}

ShutdownDeadline::~ShutdownDeadline() {
    {
        const std::lock_guard lock(mutex_);
        isOver_ = true;
    }
    ended_.notify_one();
    if (watch_.joinable()) {
        watch_.join();
    }
}

}  // namespace tavo
