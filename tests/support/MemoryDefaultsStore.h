#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/DefaultsStore.h"

namespace tavo {

// Settings in memory, with a record of every write.
class MemoryDefaultsStore : public DefaultsStore {
  public:
    MemoryDefaultsStore() = default;
    explicit MemoryDefaultsStore(std::map<std::string, std::string, std::less<>> values)
        : values_(std::move(values)) {}

    std::optional<std::string> string(std::string_view key) const override {
        const auto found = values_.find(key);
        return found == values_.end() ? std::nullopt : std::optional(found->second);
    }

    void setString(std::string_view key, std::string_view value) override {
        values_.insert_or_assign(std::string(key), std::string(value));
        writes_.emplace_back(key, value);
    }

    // Every setString, in order: key and value.
    const std::vector<std::pair<std::string, std::string>>& writes() const { return writes_; }

  private:
    std::map<std::string, std::string, std::less<>> values_;
    std::vector<std::pair<std::string, std::string>> writes_;
};

}  // namespace tavo
