#include "app/QtMainThread.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tavo {

void QtMainThread::post(std::function<void()> job) {
    // Queued invocation is thread-safe and keeps the order of posting.
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(job), Qt::QueuedConnection);
}

}  // namespace tavo
