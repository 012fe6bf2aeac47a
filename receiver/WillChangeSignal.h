#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace tavo {

// Tells observers that a published field is about to be assigned. Main thread only.
class WillChangeSignal {
  public:
    // Disconnects when destroyed.
    class Subscription {
      public:
        Subscription() = default;
        Subscription(Subscription&&) noexcept = default;
        // Disconnects the observer held before.
        Subscription& operator=(Subscription&&) noexcept;
        ~Subscription();

      private:
        friend class WillChangeSignal;
        Subscription(std::weak_ptr<std::map<std::uint64_t, std::function<void()>>> observers,
                     std::uint64_t id)
            : observers_(std::move(observers)), id_(id) {}
        void disconnect();
        std::weak_ptr<std::map<std::uint64_t, std::function<void()>>> observers_;
        std::uint64_t id_ = 0;
    };

    [[nodiscard]] Subscription connect(std::function<void()> observer);
    void emit() const;

  private:
    std::shared_ptr<std::map<std::uint64_t, std::function<void()>>> observers_ =
        std::make_shared<std::map<std::uint64_t, std::function<void()>>>();
    std::uint64_t nextId_ = 1;
};

}  // namespace tavo
