#pragma once

#include <memory>

#include "kit/TavoScan.h"
#include "output/KeystrokeTyper.h"
#include "receiver/ScanListener.h"

namespace tavo {

// Types one scan according to the listener's current output mode: the value and Return, or the
// value and a comma. A listener that is gone types as in newline mode.
void outputScan(const TavoScan& scan, const std::weak_ptr<const ScanListener>& listener,
                const KeystrokeTyper& typer);

}  // namespace tavo
