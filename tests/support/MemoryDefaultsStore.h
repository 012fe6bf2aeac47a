#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/DefaultsStore.h"

namespace tavo {

// Settings in memory, with a count of writes.
class MemoryDefaultsStore : public DefaultsStore {
  public:
    std::optional<std::string> string(std::string_view key) const override {
        const auto found = values.find(key);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }

    void setString(std::string_view key, std::string_view value) override {
        values.insert_or_assign(std::string(key), std::string(value));
        ++writes;
    }

    std::vector<std::string> stringList(std::string_view key) const override {
        const auto found = lists.find(key);
        return found == lists.end() ? std::vector<std::string>{} : found->second;
    }

    void setStringList(std::string_view key, const std::vector<std::string>& list) override {
        lists.insert_or_assign(std::string(key), list);
        ++writes;
    }

    std::map<std::string, std::string, std::less<>> values;
    std::map<std::string, std::vector<std::string>, std::less<>> lists;
    std::size_t writes = 0;
};

}  // namespace tavo
