#include "tests/support/wayland/WaylandTextSink.h"

namespace tavo::testing {

std::unique_ptr<TextSink> openWaylandTextSink(const WaylandCompositor& compositor, bool nameKeys,
                                              const std::string& pasteDelay) {
    return std::make_unique<TextSink>(
        TAVO_WAYLAND_TEXT_SINK_PATH,
        std::vector<std::string>{compositor.environmentEntry(),
                                 "TAVO_SINK_PASTE_DELAY_MS=" + pasteDelay},
        nameKeys);
}

std::unique_ptr<TextSink> openXwaylandTextSink(const std::string& xDisplay, bool nameKeys) {
    return std::make_unique<TextSink>(TAVO_X11_TEXT_SINK_PATH,
                                      std::vector<std::string>{"DISPLAY=" + xDisplay}, nameKeys);
}

}  // namespace tavo::testing
