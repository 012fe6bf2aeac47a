#include "platform/wayland/Pipes.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <ctime>

namespace tavo {
namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left for poll(); zero once the deadline has passed.
int remaining(Clock::time_point deadline) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

bool waitFor(int fd, short events, Clock::time_point deadline) {
    pollfd entry{fd, events, 0};
    int ready = 0;
    do {
        ready = poll(&entry, 1, remaining(deadline));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

// A write to a pipe whose reader has gone raises SIGPIPE, which would end the process: block
// it on this thread for the write and take back the one it raised.
class SigpipeBlocked {
  public:
    SigpipeBlocked() {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        pthread_sigmask(SIG_BLOCK, &pipe_, &previous_);
    }
    ~SigpipeBlocked() {
        const timespec now{};
        while (sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    SigpipeBlocked(const SigpipeBlocked&) = delete;
    SigpipeBlocked& operator=(const SigpipeBlocked&) = delete;

  private:
    sigset_t pipe_{};
    sigset_t previous_{};
};

}  // namespace

std::optional<std::string> readAll(int fd, std::chrono::milliseconds timeout, std::size_t limit) {
    const auto deadline = Clock::now() + timeout;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    std::string data;
    std::array<char, 65536> buffer{};
    while (true) {
        const ssize_t count = read(fd, buffer.data(), buffer.size());
        if (count > 0) {
            if (static_cast<std::size_t>(count) > limit - data.size()) {
                return std::nullopt;
            }
            data.append(buffer.data(), static_cast<std::size_t>(count));
        } else if (count == 0) {
            return data;
        } else if (errno == EAGAIN) {
            if (!waitFor(fd, POLLIN, deadline)) {
                return std::nullopt;
            }
        } else if (errno != EINTR) {
            return std::nullopt;
        }
    }
}

bool writeAllAndClose(int fd, std::string_view data, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    bool complete = true;
    {
        const SigpipeBlocked blocked;
        while (!data.empty()) {
            const ssize_t count = write(fd, data.data(), data.size());
            if (count >= 0) {
                data.remove_prefix(static_cast<std::size_t>(count));
            } else if (errno == EAGAIN) {
                if (!waitFor(fd, POLLOUT, deadline)) {
                    complete = false;
                    break;
                }
            } else if (errno != EINTR) {
                complete = false;
                break;
            }
        }
    }
    close(fd);
    return complete;
}

}  // namespace tavo
