#pragma once

#include "platform/LoginItems.h"

namespace tavo {

// Registers or unregisters the login item; a failure is dropped, nothing is retried or read back.
void setLaunchAtLogin(LoginItems& loginItems, bool on);

}  // namespace tavo
