#pragma once

#include "kit/ReceiverOutputMode.h"

namespace tavo {

// The receiver's report of its settings.
struct TavoReceiverStatus {
    ReceiverOutputMode outputMode;
};

}  // namespace tavo
