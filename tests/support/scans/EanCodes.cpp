#include "tests/support/scans/EanCodes.h"

namespace tavo::testing {

std::vector<std::string> eanCodes(int count) {
    std::vector<std::string> codes;
    for (int i = 0; i < count; ++i) {
        std::string digits = "400638" + std::to_string(1000000 + i * 7919 % 1000000).substr(1);
        int sum = 0;
        for (std::size_t d = 0; d < digits.size(); ++d) {
            sum += (digits[d] - '0') * (d % 2 == 0 ? 1 : 3);
        }
        codes.push_back(digits + static_cast<char>('0' + (10 - sum % 10) % 10));
    }
    return codes;
}

}  // namespace tavo::testing
