#pragma once

#include <functional>

namespace tavo {

// Whether the user's session is locked, as the desktop says; never locked where nothing says.
class SessionLock {
  public:
    virtual ~SessionLock() = default;

    virtual bool isLocked() const = 0;
    // Called on the main thread with each change of isLocked().
    virtual void setOnChange(std::function<void(bool locked)> onChange) = 0;
};

}  // namespace tavo
