#pragma once

#include <QObject>
#include <memory>
#include <mutex>

#include "platform/MainThread.h"

namespace tavo {

// Runs jobs on Qt's event loop, in the order posted. Made on the main thread, after the
// application object.
class QtMainThread final : public MainThread {
  public:
    QtMainThread();
    ~QtMainThread() override;

    void post(std::function<void()> job) override;
    // Drops the jobs still queued and every job posted later. Main thread only.
    void close();

  private:
    std::mutex mutex_;
    // Queued jobs are addressed to it; deleting it discards those not yet run.
    std::unique_ptr<QObject> target_;
};

}  // namespace tavo
