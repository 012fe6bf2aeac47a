#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace tavo {

// Why a body could not be decoded, and the path of member names that leads to the failing value.
class DecodingError : public std::runtime_error {
  public:
    enum class Kind { keyNotFound, valueNotFound, typeMismatch, dataCorrupted };

    DecodingError(Kind kind, std::vector<std::string> codingPath, const std::string& description);

    Kind kind() const { return kind_; }
    const std::vector<std::string>& codingPath() const { return codingPath_; }

  private:
    Kind kind_;
    std::vector<std::string> codingPath_;
};

// A message that cannot be written: a non-finite timestamp, or a body too long for the header.
class EncodingError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

}  // namespace tavo
