#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "kit/CodingErrors.h"
#include "kit/TavoFraming.h"

using namespace tavo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::optional<TavoMessage> message;
    try {
        message = TavoFraming::decode(ByteView(data, size));
    } catch (const DecodingError&) {
        return 0;
    }
    // Anything that decodes holds finite numbers and valid UTF-8, so it must encode, into a frame
    // that reads back to what encodes the same.
    const Bytes frame = TavoFraming::encode(*message);
    const ByteView body = ByteView(frame).subspan(TavoFraming::headerLength);
    if (TavoFraming::decodeLength(ByteView(frame).first(TavoFraming::headerLength)) !=
            body.size() ||
        TavoFraming::encode(TavoFraming::decode(body)) != frame) {
        std::abort();
    }
    return 0;
}
