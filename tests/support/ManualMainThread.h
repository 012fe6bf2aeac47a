#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/MainThread.h"

namespace tavo {

// A main-thread queue that the test thread runs by hand. post() may come from any thread.
class ManualMainThread : public MainThread {
  public:
    void post(std::function<void()> job) override {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
        }
        posted_.notify_all();
        if (afterPost) {
            afterPost();
        }
    }

    // Runs jobs, also those posted meanwhile, until none is left; returns how many ran.
    std::size_t drain() {
        std::size_t count = 0;
        while (runOne()) {
            ++count;
        }
        return count;
    }

    // Runs jobs as they come until done() holds or the timeout passes; returns done().
    bool runUntil(const std::function<bool()>& done,
                  std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!done()) {
            if (runOne()) {
                continue;
            }
            std::unique_lock lock(mutex_);
            if (!posted_.wait_until(lock, deadline, [&] { return !jobs_.empty(); })) {
                lock.unlock();
                return done();
            }
        }
        return true;
    }

    // Called on the posting thread after each post, as if the main thread did something right
    // then (tests use it to drop references at the worst moment).
    std::function<void()> afterPost;

  private:
    bool runOne() {
        std::unique_lock lock(mutex_);
        if (jobs_.empty()) {
            return false;
        }
        const auto job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        return true;
    }

    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> jobs_;
};

}  // namespace tavo
