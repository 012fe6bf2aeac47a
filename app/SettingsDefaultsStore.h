#pragma once

#include <QSettings>

#include "platform/DefaultsStore.h"

namespace tavo {

// The user's settings file, $XDG_CONFIG_HOME/tavo/tavo-receiver.ini.
class SettingsDefaultsStore : public DefaultsStore {
  public:
    SettingsDefaultsStore();

    std::optional<std::string> string(std::string_view key) const override;
    // Written through at once, so that a process that is killed keeps the value.
    void setString(std::string_view key, std::string_view value) override;
    std::vector<std::string> stringList(std::string_view key) const override;
    void setStringList(std::string_view key, const std::vector<std::string>& values) override;

  private:
    mutable QSettings settings_;
};

}  // namespace tavo
