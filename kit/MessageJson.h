#pragma once

#include <string>
#include <string_view>

#include "kit/TavoMessage.h"

// The JSON text of one message, as framing carries it in a body.
namespace tavo::MessageJson {

// Compact UTF-8 JSON with the solidus escaped. Throws EncodingError.
std::string encode(const TavoMessage& message);

// Exactly one JSON document, optionally surrounded by whitespace. Throws DecodingError.
TavoMessage decode(std::string_view text);

}  // namespace tavo::MessageJson
