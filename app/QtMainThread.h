#pragma once

#include "platform/MainThread.h"

namespace tavo {

// Runs jobs on Qt's event loop, in the order posted. Jobs posted after the application object is
// gone are dropped.
class QtMainThread : public MainThread {
  public:
    void post(std::function<void()> job) override;
};

}  // namespace tavo
