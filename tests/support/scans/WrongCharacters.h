#pragma once

#include <cstddef>
#include <string>

namespace tavo::testing {

// Characters wrong, lost or added, scan by scan (one scan a line); a missing Return counts as
// one, and so does a key the sink could only name ("<NoSymbol>").
std::size_t wrongCharacters(const std::string& expected, const std::string& received);

}  // namespace tavo::testing
