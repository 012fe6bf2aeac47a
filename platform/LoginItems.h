#pragma once

#include <optional>
#include <string>

namespace tavo {

enum class LoginItemStatus { notRegistered = 0, enabled = 1, requiresApproval = 2, notFound = 3 };

// Why a change of the login item did not take effect, in the system's words, one short line
// ("Read-only file system").
using LoginItemFailure = std::string;

// Whether the application starts at login. A change returns nothing when it took effect.
class LoginItems {
  public:
    virtual ~LoginItems() = default;

    virtual LoginItemStatus status() = 0;
    virtual std::optional<LoginItemFailure> registerItem() = 0;
    virtual std::optional<LoginItemFailure> unregisterItem() = 0;
};

}  // namespace tavo
