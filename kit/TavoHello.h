#pragma once

#include <cstdint>
#include <string>

namespace tavo {

// The phone's greeting.
struct TavoHello {
    std::string deviceName;
    std::int64_t protocolVersion;
};

}  // namespace tavo
