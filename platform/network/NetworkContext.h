#pragma once

#include <asio/io_context.hpp>
#include <asio/post.hpp>
#include <mutex>
#include <utility>

namespace tavo {

// The io_context of one network queue, shared by everything made on it so that sockets and timers
// can be destroyed on any thread before or after the queue. Once closed, it takes no more jobs and
// has destroyed every pending handler, which breaks the cycles between handlers and their objects.
class NetworkContext {
  public:
    asio::io_context& io() { return io_; }

    // Queues job unless the context is closed; a refused job is destroyed outside the lock.
    template <typename Job>
    bool post(Job job) {
        {
            std::lock_guard lock(mutex_);
            if (!closed_) {
                asio::post(io_, std::move(job));
                return true;
            }
        }
        return false;
    }

    // Called once the thread that ran the context has ended.
    void close();

  private:
    // Opens up the shutdown that otherwise only the destructor performs.
    class Context : public asio::io_context {
      public:
        using asio::io_context::shutdown;
    };

    std::mutex mutex_;
    bool closed_ = false;
    Context io_;
};

}  // namespace tavo
