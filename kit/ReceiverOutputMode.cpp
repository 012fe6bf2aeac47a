#include "kit/ReceiverOutputMode.h"

namespace tavo {

std::string_view rawValue(ReceiverOutputMode mode) {
    return mode == ReceiverOutputMode::csv ? "csv" : "newline";
}

std::optional<ReceiverOutputMode> receiverOutputModeFromRawValue(std::string_view raw) {
    if (raw == "newline") {
        return ReceiverOutputMode::newline;
    }
    if (raw == "csv") {
        return ReceiverOutputMode::csv;
    }
    return std::nullopt;
}

}  // namespace tavo
