#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// The per-user store of settings that survive restarts. Main thread only.
class DefaultsStore {
  public:
    virtual ~DefaultsStore() = default;
    virtual std::optional<std::string> string(std::string_view key) const = 0;
    virtual void setString(std::string_view key, std::string_view value) = 0;
};

}  // namespace tavo
