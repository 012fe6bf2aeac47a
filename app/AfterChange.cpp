#include "app/AfterChange.h"

namespace tavo {

void AfterChange::schedule() {
    if (pending_) {
        return;
    }
    pending_ = true;
    QMetaObject::invokeMethod(
        context_,
        [this] {
            pending_ = false;
            update_();
        },
        Qt::QueuedConnection);
}

}  // namespace tavo
