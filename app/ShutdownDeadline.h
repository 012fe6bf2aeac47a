#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tavo {

// Ends the process once quitting has taken longer than its deadline. The orderly end cuts typing
// and every wait it knows of, but a compositor or a clipboard owner that stops answering must not
// keep a quitting receiver alive: the user asked it to go.
class ShutdownDeadline {
  public:
    static constexpr std::chrono::milliseconds defaultDeadline{900};

    ShutdownDeadline() = default;
    // The orderly end is over: nothing more is ended.
    ~ShutdownDeadline();

    ShutdownDeadline(const ShutdownDeadline&) = delete;
    ShutdownDeadline& operator=(const ShutdownDeadline&) = delete;

    // Quitting starts now; past the deadline the process exits with this status.
    void arm(int exitStatus, std::chrono::milliseconds deadline = defaultDeadline);

  private:
    std::mutex mutex_;
    std::condition_variable ended_;
    bool isOver_ = false;
    std::thread watch_;
};

}  // namespace tavo
