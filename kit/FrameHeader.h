#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "kit/TavoFraming.h"

namespace tavo::TavoFraming {

using Header = std::array<std::uint8_t, headerLength>;

// The header announcing a body of that many bytes, or nothing when the length does not fit.
std::optional<Header> encodeLength(std::size_t bodyLength);

}  // namespace tavo::TavoFraming
