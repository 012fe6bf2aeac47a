#pragma once

#include <string>
#include <vector>

namespace tavo::testing {

// `count` different EAN-13 codes with valid check digits, as a scanner would read them.
std::vector<std::string> eanCodes(int count);

}  // namespace tavo::testing
