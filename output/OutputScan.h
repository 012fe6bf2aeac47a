#pragma once

#include <memory>

#include "kit/TavoScan.h"
#include "output/TextTyping.h"
#include "receiver/ScanListener.h"

namespace tavo {

// Types one scan according to the listener's current output mode: the value and Return, or the
// value and a comma. The mode is read when the scan arrives, however long typing waits behind
// earlier scans. A listener that is gone types as in newline mode.
void outputScan(const TavoScan& scan, const std::weak_ptr<const ScanListener>& listener,
                TextTyping& typer);

}  // namespace tavo
