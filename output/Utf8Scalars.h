#pragma once

#include <cstddef>
#include <string_view>

namespace tavo {

inline constexpr char32_t replacementCharacter = U'\uFFFD';

// The Unicode scalar that starts at offset in text, which must be inside it; advances offset past
// it. Each maximal ill-formed subsequence gives one U+FFFD.
char32_t nextScalar(std::string_view text, std::size_t& offset);

}  // namespace tavo
