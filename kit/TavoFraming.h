#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "kit/Bytes.h"
#include "kit/TavoMessage.h"

// Frames: a 4-byte big-endian body length, then the UTF-8 JSON body of one message.
namespace tavo::TavoFraming {

inline constexpr std::size_t headerLength = 4;

// Header and body in one buffer. Throws EncodingError.
Bytes encode(const TavoMessage& message);

// The body length, or nothing unless the buffer holds exactly headerLength bytes.
std::optional<std::uint32_t> decodeLength(ByteView header);

// One message from the whole body (no header). Throws DecodingError.
TavoMessage decode(ByteView body);

}  // namespace tavo::TavoFraming
