#pragma once

#include <memory>
#include <string>

#include "tests/support/wayland/WaylandCompositor.h"
#include "tests/support/x11/TextSink.h"

namespace tavo::testing {

// A text-sink window on this compositor (see TextSink): decodes keys through the keymap the
// compositor sends and appends the clipboard's text on Ctrl+V. Returns once it has the keyboard
// focus, so the seat needs a keyboard by then. `pasteDelay` is how long it takes to read the
// clipboard after Ctrl+V ("never" for a terminal, which ignores Ctrl+V).
std::unique_ptr<TextSink> openWaylandTextSink(const WaylandCompositor& compositor,
                                              bool nameKeys = false,
                                              const std::string& pasteDelay = "0");

// The X11 text sink, as an Xwayland client on this X display (":N").
std::unique_ptr<TextSink> openXwaylandTextSink(const std::string& xDisplay, bool nameKeys = false);

}  // namespace tavo::testing
