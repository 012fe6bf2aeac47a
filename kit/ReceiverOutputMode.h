#pragma once

#include <optional>
#include <string_view>

namespace tavo {

// How the receiver ends each scan that it types. The raw values are the wire and stored forms.
enum class ReceiverOutputMode { newline, csv };

std::string_view rawValue(ReceiverOutputMode mode);

// Exact, case-sensitive match of the whole text; anything else gives nothing.
std::optional<ReceiverOutputMode> receiverOutputModeFromRawValue(std::string_view raw);

}  // namespace tavo
