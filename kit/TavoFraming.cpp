#include "kit/TavoFraming.h"

#include <algorithm>
#include <limits>

#include "kit/CodingErrors.h"
#include "kit/FrameHeader.h"
#include "kit/MessageJson.h"

namespace tavo::TavoFraming {

std::optional<Header> encodeLength(std::size_t bodyLength) {
    if (bodyLength > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    Header header;
    for (std::size_t i = 0; i < headerLength; ++i) {
        header[i] = static_cast<std::uint8_t>(bodyLength >> (8 * (headerLength - 1 - i)));
    }
    return header;
}

Bytes encode(const TavoMessage& message) {
    auto body = MessageJson::encode(message);
    auto header = encodeLength(body.size());
    if (!header) {
        throw EncodingError("the message body is too long for a frame header");
    }
    Bytes frame(headerLength + body.size());
    std::copy(header->begin(), header->end(), frame.begin());
    std::copy(body.begin(), body.end(), frame.begin() + headerLength);
    return frame;
}

std::optional<std::uint32_t> decodeLength(ByteView header) {
    if (header.size() != headerLength) {
        return std::nullopt;
    }
    std::uint32_t length = 0;
    for (auto byte : header) {
        length = (length << 8) | byte;
    }
    return length;
}

TavoMessage decode(ByteView body) {
    return MessageJson::decode(
        std::string_view(reinterpret_cast<const char*>(body.data()), body.size()));
}

}  // namespace tavo::TavoFraming
