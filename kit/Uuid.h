#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

class Uuid {
  public:
    explicit Uuid(std::array<std::uint8_t, 16> bytes) : bytes_(bytes) {}

    // A random version-4 UUID.
    static Uuid random();

    // The 36-character 8-4-4-4-12 form, hexadecimal digits of either case; nothing otherwise.
    static std::optional<Uuid> parse(std::string_view text);

    // The 36-character form in upper case.
    std::string string() const;

    const std::array<std::uint8_t, 16>& bytes() const { return bytes_; }

    friend bool operator==(const Uuid&, const Uuid&) = default;

  private:
    std::array<std::uint8_t, 16> bytes_;
};

}  // namespace tavo
