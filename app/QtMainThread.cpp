#include "app/QtMainThread.h"

#include <QMetaObject>

namespace tavo {

QtMainThread::QtMainThread() : target_(std::make_unique<QObject>()) {}

QtMainThread::~QtMainThread() {
    close();
}

void QtMainThread::post(std::function<void()> job) {
    std::lock_guard lock(mutex_);
    if (target_) {
        // Queued invocation is thread-safe and keeps the order of posting.
        QMetaObject::invokeMethod(target_.get(), std::move(job), Qt::QueuedConnection);
    }
}

void QtMainThread::close() {
    std::unique_ptr<QObject> target;
    {
        std::lock_guard lock(mutex_);
        target = std::move(target_);
    }
    // Outside the lock: the dropped jobs' captures are destroyed here, on the main thread.
    target.reset();
}

}  // namespace tavo
