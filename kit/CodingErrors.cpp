#include "kit/CodingErrors.h"

namespace tavo {

DecodingError::DecodingError(Kind kind, std::vector<std::string> codingPath,
                             const std::string& description)
    : std::runtime_error(description), kind_(kind), codingPath_(std::move(codingPath)) {}

}  // namespace tavo
