#include "receiver/WillChangeSignal.h"

namespace tavo {

WillChangeSignal::Subscription::~Subscription() {
    disconnect();
}

WillChangeSignal::Subscription& WillChangeSignal::Subscription::operator=(
    Subscription&& other) noexcept {
    if (this != &other) {
        disconnect();
        observers_ = std::move(other.observers_);
        id_ = other.id_;
    }
    return *this;
}

void WillChangeSignal::Subscription::disconnect() {
    if (const auto observers = observers_.lock()) {
        observers->erase(id_);
    }
    observers_.reset();
}

WillChangeSignal::Subscription WillChangeSignal::connect(std::function<void()> observer) {
    const auto id = nextId_++;
    observers_->emplace(id, std::move(observer));
    return Subscription(observers_, id);
}

void WillChangeSignal::emit() const {
    // Observers may connect or disconnect others, or themselves, while being told: walk by id, and
    // call a copy so that an observer that disconnects itself finishes its call.
    const auto observers = observers_;
    for (auto it = observers->begin(); it != observers->end();) {
        const auto id = it->first;
        const auto observer = it->second;
        observer();
        it = observers->upper_bound(id);
    }
}

}  // namespace tavo
