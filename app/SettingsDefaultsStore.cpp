#include "app/SettingsDefaultsStore.h"

namespace tavo {
namespace {

QString qString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

SettingsDefaultsStore::SettingsDefaultsStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, "tavo", "tavo-receiver") {}

std::optional<std::string> SettingsDefaultsStore::string(std::string_view key) const {
    const QVariant value = settings_.value(qString(key));
    if (!value.isValid()) {
        return std::nullopt;
    }
    return value.toString().toStdString();
}

void SettingsDefaultsStore::setString(std::string_view key, std::string_view value) {
    settings_.setValue(qString(key), qString(value));
    settings_.sync();
}

std::vector<std::string> SettingsDefaultsStore::stringList(std::string_view key) const {
    std::vector<std::string> values;
    for (const QString& value : settings_.value(qString(key)).toStringList()) {
        values.push_back(value.toStdString());
    }
    return values;
}

void SettingsDefaultsStore::setStringList(std::string_view key,
                                          const std::vector<std::string>& values) {
    QStringList list;
    for (const std::string& value : values) {
        list.append(QString::fromStdString(value));
    }
    settings_.setValue(qString(key), list);
    settings_.sync();
}

}  // namespace tavo
