#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavo {

// The per-user store of settings that survive restarts. Main thread only.
class DefaultsStore {
  public:
    virtual ~DefaultsStore() = default;
    virtual std::optional<std::string> string(std::string_view key) const = 0;
    virtual void setString(std::string_view key, std::string_view value) = 0;
    // Empty when the key holds nothing.
    virtual std::vector<std::string> stringList(std::string_view key) const = 0;
    virtual void setStringList(std::string_view key, const std::vector<std::string>& values) = 0;
};

}  // namespace tavo
