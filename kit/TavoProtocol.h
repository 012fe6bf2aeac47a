#pragma once

#include <cstdint>
#include <string_view>

namespace tavo::TavoProtocol {

inline constexpr std::string_view serviceType = "_tavo._tcp";
inline constexpr std::string_view domain = "local.";
inline constexpr std::int64_t version = 1;

}  // namespace tavo::TavoProtocol
