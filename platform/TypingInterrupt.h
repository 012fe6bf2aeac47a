#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace tavo {

// Cuts typing short from another thread. Each text is typed under the generation that was
// current when it was handed over; an interruption starts a new generation, so that the text in
// hand stops at its next key boundary, the texts handed over before it are dropped, and a route's
// waits end early. Texts handed over after the interruption type as usual.
class TypingInterrupt {
  public:
    using Clock = std::chrono::steady_clock;

    // Any thread.
    void interrupt() {
        {
            const std::lock_guard lock(mutex_);
            generation_.fetch_add(1);
        }
        wake_.notify_all();
    }
    // Any thread: the generation a text handed over now is typed under.
    std::uint64_t generation() const { return generation_.load(); }

    // Typing thread: what follows (a text, a route's session start) was handed over under
    // `generation`.
    void begin(std::uint64_t generation) { begun_.store(generation); }
    // Whether what is in hand must stop now.
    bool isCut() const { return generation_.load() != begun_.load(); }
    // Waits until `deadline` unless what is in hand is cut first; false when it was.
    bool waitUntil(Clock::time_point deadline) const {
        std::unique_lock lock(mutex_);
        return !wake_.wait_until(lock, deadline, [this] { return isCut(); });
    }

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable wake_;
    std::atomic<std::uint64_t> generation_{0};
    std::atomic<std::uint64_t> begun_{0};
};

}  // namespace tavo
