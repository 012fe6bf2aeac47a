// tavo-wayland-text-sink OUTPUT [--name-keys]: a window that takes the keyboard focus and appends
// every character it receives to OUTPUT as UTF-8, decoded like toolkits decode it: through the
// keymap the compositor sends (anew whenever it changes) and the modifier state it reports.
// Ctrl+V appends the clipboard's text, TAVO_SINK_PASTE_DELAY_MS after the key (a busy
// application), or not at all with TAVO_SINK_PASTE_DELAY_MS=never (a terminal). Prints "ready"
// once it has the focus.
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/wayland/WaylandClient.h"
#include "tests/support/x11/KeysymText.h"
#include "xdg-shell-client.h"

namespace {

constexpr int width = 320;
constexpr int height = 200;

struct Sink {
    std::FILE* output = nullptr;
    const char* pasteDelay = std::getenv("TAVO_SINK_PASTE_DELAY_MS");
    bool nameKeys = false;
    bool ready = false;
    wl_display* display = nullptr;
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* shell = nullptr;
    wl_seat* seat = nullptr;
    wl_data_device_manager* dataDevices = nullptr;
    wl_surface* surface = nullptr;
    wl_buffer* buffer = nullptr;
    wl_data_offer* selection = nullptr;
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap* keymap = nullptr;
    xkb_state* state = nullptr;

    void write(const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), output);
        std::fflush(output);
    }
};

std::string readSelection(Sink& sink) {
    int pipeEnds[2];
    if (sink.selection == nullptr || pipe2(pipeEnds, O_CLOEXEC) != 0) {
        return {};
    }
    wl_data_offer_receive(sink.selection, "text/plain;charset=utf-8", pipeEnds[1]);
    close(pipeEnds[1]);
    wl_display_flush(sink.display);
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(pipeEnds[0], chunk, sizeof chunk)) > 0;) {
        text.append(chunk, static_cast<std::size_t>(got));
    }
    close(pipeEnds[0]);
    return text;
}

wl_buffer* blankBuffer(wl_shm* shm) {
    const int stride = width * 4;
    const int size = stride * height;
    const int file = memfd_create("tavo-sink", MFD_CLOEXEC);
    if (file < 0 || ftruncate(file, size) != 0) {
        return nullptr;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, file, size);
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_XRGB8888);
    wl_shm_pool_destroy(pool);
    close(file);
    return buffer;
}

void onKeymap(void* data, wl_keyboard*, uint32_t format, int32_t fd, uint32_t size) {
    auto& sink = *static_cast<Sink*>(data);
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 || text == MAP_FAILED) {
        return;
    }
    xkb_keymap* keymap =
        xkb_keymap_new_from_string(sink.context, static_cast<const char*>(text),
                                   XKB_KEYMAP_FORMAT_TEXT_V1, XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (keymap == nullptr) {
        return;
    }
    xkb_state_unref(sink.state);
    xkb_keymap_unref(sink.keymap);
    sink.keymap = keymap;
    sink.state = xkb_state_new(keymap);
}

void onEnter(void* data, wl_keyboard*, uint32_t, wl_surface*, wl_array*) {
    auto& sink = *static_cast<Sink*>(data);
    if (!sink.ready) {
        sink.ready = true;
        std::printf("ready\n");
        std::fflush(stdout);
    }
}

void onLeave(void*, wl_keyboard*, uint32_t, wl_surface*) {}

// Shortcuts follow the key's first-group keysym where the current group's is not Latin, as GTK
// and Qt do: Ctrl+V pastes on a Russian layout too.
xkb_keysym_t shortcutKeysym(const Sink& sink, uint32_t key, xkb_keysym_t keysym) {
    const xkb_keysym_t* firstGroup = nullptr;
    if (keysym >= 0x100 &&
        xkb_keymap_key_get_syms_by_level(sink.keymap, key + 8, 0, 0, &firstGroup) == 1) {
        return firstGroup[0];
    }
    return keysym;
}

void onKey(void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
    auto& sink = *static_cast<Sink*>(data);
    if (state != WL_KEYBOARD_KEY_STATE_PRESSED || sink.state == nullptr) {
        return;
    }
    const xkb_keysym_t keysym = xkb_state_key_get_one_sym(sink.state, key + 8);
    const bool control =
        xkb_state_mod_name_is_active(sink.state, XKB_MOD_NAME_CTRL, XKB_STATE_MODS_EFFECTIVE) > 0;
    const xkb_keysym_t shortcut = shortcutKeysym(sink, key, keysym);
    if (control && (shortcut == XKB_KEY_v || shortcut == XKB_KEY_V)) {
        if (sink.pasteDelay != nullptr && std::strcmp(sink.pasteDelay, "never") == 0) {
            return;
        }
        if (sink.pasteDelay != nullptr) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(sink.pasteDelay)));
        }
        sink.write(readSelection(sink));
    } else if (!control) {
        sink.write(tavo::testing::keysymText(keysym, sink.nameKeys));
    }
}

void onModifiers(void* data, wl_keyboard*, uint32_t, uint32_t depressed, uint32_t latched,
                 uint32_t locked, uint32_t group) {
    auto& sink = *static_cast<Sink*>(data);
    if (sink.state != nullptr) {
        xkb_state_update_mask(sink.state, depressed, latched, locked, 0, 0, group);
    }
}

void onRepeatInfo(void*, wl_keyboard*, int32_t, int32_t) {}

const wl_keyboard_listener keyboardListener{onKeymap, onEnter,     onLeave,
                                            onKey,    onModifiers, onRepeatInfo};

void onCapabilities(void* data, wl_seat* seat, uint32_t capabilities) {
    static bool hasKeyboard = false;
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) != 0 && !hasKeyboard) {
        hasKeyboard = true;
        wl_keyboard_add_listener(wl_seat_get_keyboard(seat), &keyboardListener, data);
    }
}

void onSeatName(void*, wl_seat*, const char*) {}

const wl_seat_listener seatListener{onCapabilities, onSeatName};

void onOfferedType(void*, wl_data_offer*, const char*) {}
void onSourceActions(void*, wl_data_offer*, uint32_t) {}
void onAction(void*, wl_data_offer*, uint32_t) {}

const wl_data_offer_listener offerListener{onOfferedType, onSourceActions, onAction};

void onDataOffer(void*, wl_data_device*, wl_data_offer* offer) {
    wl_data_offer_add_listener(offer, &offerListener, nullptr);
}

void onDragEnter(void*, wl_data_device*, uint32_t, wl_surface*, wl_fixed_t, wl_fixed_t,
                 wl_data_offer*) {}
void onDragLeave(void*, wl_data_device*) {}
void onDragMotion(void*, wl_data_device*, uint32_t, wl_fixed_t, wl_fixed_t) {}
void onDrop(void*, wl_data_device*) {}

void onSelection(void* data, wl_data_device*, wl_data_offer* offer) {
    auto& sink = *static_cast<Sink*>(data);
    if (sink.selection != nullptr) {
        wl_data_offer_destroy(sink.selection);
    }
    sink.selection = offer;
}

const wl_data_device_listener dataDeviceListener{onDataOffer,  onDragEnter, onDragLeave,
                                                 onDragMotion, onDrop,      onSelection};

void onPing(void*, xdg_wm_base* shell, uint32_t serial) {
    xdg_wm_base_pong(shell, serial);
}

const xdg_wm_base_listener shellListener{onPing};

void onSurfaceConfigure(void* data, xdg_surface* surface, uint32_t serial) {
    auto& sink = *static_cast<Sink*>(data);
    xdg_surface_ack_configure(surface, serial);
    wl_surface_attach(sink.surface, sink.buffer, 0, 0);
    wl_surface_damage(sink.surface, 0, 0, width, height);
    wl_surface_commit(sink.surface);
}

const xdg_surface_listener surfaceListener{onSurfaceConfigure};

}  // namespace

int main(int argc, char** argv) {
    Sink sink;
    sink.nameKeys = argc > 2 && std::strcmp(argv[2], "--name-keys") == 0;
    sink.output = argc > 1 ? std::fopen(argv[1], "wb") : nullptr;
    const auto client = tavo::WaylandClient::connect();
    if (sink.output == nullptr || client == nullptr) {
        return 1;
    }
    sink.display = client->display();
    sink.compositor = client->bind<wl_compositor>(wl_compositor_interface, 4);
    sink.shm = client->bind<wl_shm>(wl_shm_interface, 1);
    sink.shell = client->bind<xdg_wm_base>(xdg_wm_base_interface, 1);
    sink.seat = client->bind<wl_seat>(wl_seat_interface, 5);
    sink.dataDevices = client->bind<wl_data_device_manager>(wl_data_device_manager_interface, 3);
    if (sink.compositor == nullptr || sink.shm == nullptr || sink.shell == nullptr ||
        sink.seat == nullptr || sink.dataDevices == nullptr) {
        return 1;
    }
    xdg_wm_base_add_listener(sink.shell, &shellListener, &sink);
    wl_seat_add_listener(sink.seat, &seatListener, &sink);
    wl_data_device_add_listener(wl_data_device_manager_get_data_device(sink.dataDevices, sink.seat),
                                &dataDeviceListener, &sink);
    sink.buffer = blankBuffer(sink.shm);
    sink.surface = wl_compositor_create_surface(sink.compositor);
    xdg_surface* surface = xdg_wm_base_get_xdg_surface(sink.shell, sink.surface);
    xdg_surface_add_listener(surface, &surfaceListener, &sink);
    xdg_toplevel_set_title(xdg_surface_get_toplevel(surface), "Tavo text sink");
    wl_surface_commit(sink.surface);
    while (wl_display_dispatch(sink.display) >= 0) {
    }
    return 0;
}
