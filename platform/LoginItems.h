#pragma once

namespace tavo {

enum class LoginItemStatus { notRegistered = 0, enabled = 1, requiresApproval = 2, notFound = 3 };

// Whether the application starts at login. Each call reports success.
class LoginItems {
  public:
    virtual ~LoginItems() = default;

    virtual LoginItemStatus status() = 0;
    virtual bool registerItem() = 0;
    virtual bool unregisterItem() = 0;
};

}  // namespace tavo
