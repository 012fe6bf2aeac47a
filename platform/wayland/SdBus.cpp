#include "platform/wayland/SdBus.h"

#include <fcntl.h>

namespace tavo {

SdBusPtr openSessionBus() {
    sd_bus* bus = nullptr;
    if (sd_bus_open_user(&bus) < 0) {
        return nullptr;
    }
    return SdBusPtr(bus);
}

bool hasOwner(sd_bus* bus, const char* name) {
    sd_bus_message* reply = nullptr;
    if (sd_bus_call_method(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                           "org.freedesktop.DBus", "NameHasOwner", nullptr, &reply, "s",
                           name) < 0) {
        return false;
    }
    const SdBusMessagePtr owned(reply);
    int answer = 0;
    return sd_bus_message_read(reply, "b", &answer) > 0 && answer != 0;
}

void appendEntry(sd_bus_message* message, const char* key, const std::vector<std::string>& value) {
    sd_bus_message_open_container(message, 'e', "sv");
    sd_bus_message_append(message, "s", key);
    sd_bus_message_open_container(message, 'v', "as");
    sd_bus_message_open_container(message, 'a', "s");
    for (const std::string& item : value) {
        sd_bus_message_append(message, "s", item.c_str());
    }
    sd_bus_message_close_container(message);
    sd_bus_message_close_container(message);
    sd_bus_message_close_container(message);
}

void appendEntry(sd_bus_message* message, const char* key, const std::string& value) {
    sd_bus_message_append(message, "{sv}", key, "s", value.c_str());
}

void appendEntry(sd_bus_message* message, const char* key, std::uint32_t value) {
    sd_bus_message_append(message, "{sv}", key, "u", value);
}

SdBusMessagePtr call(sd_bus* bus, sd_bus_message* message) {
    sd_bus_error error{};  // SD_BUS_ERROR_NULL, which is C only
    sd_bus_message* reply = nullptr;
    const int result = sd_bus_call(bus, message, 0, &error, &reply);
    sd_bus_error_free(&error);
    return result < 0 ? nullptr : SdBusMessagePtr(reply);
}

int takeFd(sd_bus_message* reply) {
    int fd = -1;
    if (reply == nullptr || sd_bus_message_read(reply, "h", &fd) <= 0) {
        return -1;
    }
    return fcntl(fd, F_DUPFD_CLOEXEC, 3);
}

}  // namespace tavo
