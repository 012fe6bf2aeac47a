#pragma once

#include <QObject>
#include <functional>

namespace tavo {

// Runs an update from the event loop once after one or more announced changes, so that the new
// values are stored by the time it reads them.
class AfterChange {
  public:
    AfterChange(QObject* context, std::function<void()> update)
        : context_(context), update_(std::move(update)) {}

    void schedule();

  private:
    QObject* context_;
    std::function<void()> update_;
    bool pending_ = false;
};

}  // namespace tavo
