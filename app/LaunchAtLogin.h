#pragma once

#include <optional>

#include "platform/LoginItems.h"

namespace tavo {

// What the launch-at-login switch shows after a change: the wanted state when it took effect,
// else the state before, with the reason until the next change.
struct LaunchAtLoginState {
    bool on = false;
    std::optional<LoginItemFailure> failure;
};

// Registers or unregisters the login item with one call; the status is not read back.
LaunchAtLoginState setLaunchAtLogin(LoginItems& loginItems, bool on);

}  // namespace tavo
