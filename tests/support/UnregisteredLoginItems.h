#pragma once

#include <optional>

#include "platform/LoginItems.h"

namespace tavo {

// Login items that are off and take every change, for tests about something else.
class UnregisteredLoginItems : public LoginItems {
  public:
    LoginItemStatus status() override { return LoginItemStatus::notRegistered; }
    std::optional<LoginItemFailure> registerItem() override { return std::nullopt; }
    std::optional<LoginItemFailure> unregisterItem() override { return std::nullopt; }
};

}  // namespace tavo
