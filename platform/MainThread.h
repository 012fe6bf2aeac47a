#pragma once

#include <functional>

namespace tavo {

// Runs jobs on the main thread, later and in the order posted. post() may be called from any
// thread.
class MainThread {
  public:
    virtual ~MainThread() = default;
    virtual void post(std::function<void()> job) = 0;
};

}  // namespace tavo
