#pragma once

#include <systemd/sd-bus.h>

#include <memory>
#include <string>
#include <vector>

namespace tavo {

struct SdBusUnref {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using SdBusPtr = std::unique_ptr<sd_bus, SdBusUnref>;
using SdBusMessagePtr = std::unique_ptr<sd_bus_message, SdBusUnref>;
using SdBusSlotPtr = std::unique_ptr<sd_bus_slot, SdBusUnref>;

// The user's session bus; nothing when it cannot be reached.
SdBusPtr openSessionBus();
// Whether some program owns this name on the bus now.
bool hasOwner(sd_bus* bus, const char* name);

// Appends one "a{sv}" dictionary entry to an open "a{sv}" container.
void appendEntry(sd_bus_message* message, const char* key, const std::vector<std::string>& value);
void appendEntry(sd_bus_message* message, const char* key, const std::string& value);
void appendEntry(sd_bus_message* message, const char* key, std::uint32_t value);

// Sends and waits for the reply; nothing on an error reply or a lost bus.
SdBusMessagePtr call(sd_bus* bus, sd_bus_message* message);
// A file descriptor of our own from a reply of type "h"; -1 when there is none.
int takeFd(sd_bus_message* reply);

}  // namespace tavo
