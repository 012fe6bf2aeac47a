#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "kit/CodingErrors.h"
#include "kit/TavoFraming.h"

using namespace tavo;

namespace {

bool samePayload(const TavoMessage& a, const TavoMessage& b) {
    if (a.kind() != b.kind()) {
        return false;
    }
    if (a.hello() != nullptr) {
        return a.hello()->deviceName == b.hello()->deviceName &&
               a.hello()->protocolVersion == b.hello()->protocolVersion;
    }
    if (a.scan() != nullptr) {
        return *a.scan() == *b.scan();
    }
    return a.status()->outputMode == b.status()->outputMode;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ByteView body(data, size);
    std::optional<TavoMessage> message;
    try {
        message = TavoFraming::decode(body);
    } catch (const DecodingError&) {
        return 0;
    }
    // Anything that decodes holds finite numbers and valid UTF-8, so it must encode.
    auto frame = TavoFraming::encode(*message);
    auto length = TavoFraming::decodeLength(ByteView(frame).first(TavoFraming::headerLength));
    if (!length || *length != frame.size() - TavoFraming::headerLength) {
        std::abort();
    }
    auto again = TavoFraming::decode(ByteView(frame).subspan(TavoFraming::headerLength));
    if (!samePayload(*message, again)) {
        std::abort();
    }
    return 0;
}
