#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/x11/X11KeyEvents.h"
#include "tests/support/scans/MixedTexts.h"
#include "tests/support/x11/TextSink.h"
#include "tests/support/x11/XvfbServer.h"

// Xlib's macros (None, Bool) would break GoogleTest's headers.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace tavo {
namespace {

using testing::TextSink;
using testing::XvfbServer;

using testing::expectedOf;
using testing::Text;
using testing::typeAll;

enum class KeyboardState { plain, capsLocked, secondGroupLocked, shiftHeld };

class X11Typing : public ::testing::TestWithParam<KeyboardState> {
  protected:
    void SetUp() override {
        control_ = XOpenDisplay(server_.display().c_str());
        ASSERT_NE(control_, nullptr);
    }
    void TearDown() override {
        if (control_ != nullptr) {
            XCloseDisplay(control_);
        }
    }

    void setLayouts(const std::string& layouts) {
        ASSERT_EQ(
            testing::runProgram({"setxkbmap", "-display", server_.display(), "-layout", layouts}),
            0);
    }

    void enter(KeyboardState state) {
        switch (state) {
            case KeyboardState::plain:
                break;
            case KeyboardState::capsLocked:
                XkbLockModifiers(control_, XkbUseCoreKbd, LockMask, LockMask);
                break;
            case KeyboardState::secondGroupLocked:
                setLayouts("us,ru");
                XkbLockGroup(control_, XkbUseCoreKbd, 1);
                break;
            case KeyboardState::shiftHeld:
                XTestFakeKeyEvent(control_, XKeysymToKeycode(control_, XK_Shift_L), True, 0);
                break;
        }
        XSync(control_, False);
        const XkbStateRec entered = keyboardState();
        EXPECT_EQ((entered.locked_mods & LockMask) != 0, state == KeyboardState::capsLocked);
        EXPECT_EQ(entered.locked_group, state == KeyboardState::secondGroupLocked ? 1 : 0);
        EXPECT_EQ((entered.base_mods & ShiftMask) != 0, state == KeyboardState::shiftHeld);
    }

    XkbStateRec keyboardState() {
        XkbStateRec state{};
        XkbGetState(control_, XkbUseCoreKbd, &state);
        return state;
    }

    std::vector<KeySym> keymap() {
        int min = 0;
        int max = 0;
        XDisplayKeycodes(control_, &min, &max);
        int perKey = 0;
        KeySym* syms =
            XGetKeyboardMapping(control_, static_cast<KeyCode>(min), max - min + 1, &perKey);
        std::vector<KeySym> all(syms, syms + (max - min + 1) * perKey);
        XFree(syms);
        return all;
    }

    XvfbServer server_;
    Display* control_ = nullptr;
};

TEST_P(X11Typing, TypesLayoutAndForeignCharactersExactlyAndRestoresTheKeyboard) {
    enter(GetParam());
    const XkbStateRec before = keyboardState();
    const std::vector<KeySym> keymapBefore = keymap();
    // 40 distinct CJK characters, more than a keymap has spare keycodes.
    const std::vector<Text> texts = testing::mixedTexts(40);
    const std::string expected = expectedOf(texts);

    TextSink sink(server_, true);
    {
        X11KeyEvents keyEvents(server_.display());
        ASSERT_TRUE(keyEvents.isConnected());
        typeAll(keyEvents, texts);
        EXPECT_EQ(sink.waitForBytes(expected.size()).text, expected);
    }

    const XkbStateRec after = keyboardState();
    EXPECT_EQ(after.locked_mods, before.locked_mods);
    EXPECT_EQ(after.locked_group, before.locked_group);
    EXPECT_EQ(keymap(), keymapBefore);
}

std::string stateName(const ::testing::TestParamInfo<KeyboardState>& info) {
    constexpr const char* names[] = {"Plain", "CapsLocked", "SecondGroupLocked", "ShiftHeld"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(KeyboardStates, X11Typing,
                         ::testing::Values(KeyboardState::plain, KeyboardState::capsLocked,
                                           KeyboardState::secondGroupLocked,
                                           KeyboardState::shiftHeld),
                         stateName);

// Every remap makes every client reload its keymap: characters seen before keep their keycode,
// until the layout changes.
TEST_F(X11Typing, RepeatedTextsCostNoRemappingUntilTheLayoutChanges) {
    int xkbEvent = 0;
    int unused = 0;
    ASSERT_TRUE(XkbQueryExtension(control_, &unused, &xkbEvent, &unused, &unused, &unused));
    XkbSelectEvents(control_, XkbUseCoreKbd, XkbMapNotifyMask, XkbMapNotifyMask);
    XSync(control_, False);
    const auto mappingChanges = [&] {
        XSync(control_, False);
        int changes = 0;
        while (XPending(control_) > 0) {
            XEvent event;
            XNextEvent(control_, &event);
            changes += event.type == xkbEvent ? 1 : 0;
        }
        return changes;
    };
    TextSink sink(server_, true);
    X11KeyEvents keyEvents(server_.display());
    const Text text{"yz Gr\u00fc\u00dfe \u20ac \u00d8 \u6c34 4006381333931", true};
    typeAll(keyEvents, {text});
    sink.waitForBytes(expectedOf({text}).size());
    EXPECT_GT(mappingChanges(), 0);

    // A thousand scans in a row: keys lost, doubled or reordered under load would show.
    typeAll(keyEvents, std::vector<Text>(999, text));
    std::string expected = expectedOf(std::vector<Text>(1000, text));
    EXPECT_EQ(sink.waitForBytes(expected.size()).text, expected);
    EXPECT_EQ(mappingChanges(), 0);

    // The new keymap moves y and z and drops our bindings of ü and €.
    setLayouts("de");
    typeAll(keyEvents, {{"yz \u00fc\u20ac \u00e6", true}});
    expected += "yz \u00fc\u20ac \u00e6<Return>";
    EXPECT_EQ(sink.waitForBytes(expected.size()).text, expected);
}

// A copy of the system's XKB data whose keycodes end at `maximum`, so that the server's core
// keyboard refuses bindings above it.
class SmallKeycodeRange {
  public:
    explicit SmallKeycodeRange(int maximum) {
        namespace fs = std::filesystem;
        char pattern[] = "/tmp/tavo-xkb-XXXXXX";
        if (mkdtemp(pattern) == nullptr) {
            throw std::runtime_error("no scratch directory");
        }
        dir_ = pattern;
        const fs::path system = "/usr/share/X11/xkb";
        fs::copy(system, dir_, fs::copy_options::recursive);
        std::ifstream in(system / "keycodes" / "evdev");
        std::ofstream out(dir_ / "keycodes" / "evdev", std::ios::trunc);
        const std::regex code(R"(^\s*(alias\s+)?<[^>]+>\s*=\s*(\d+);)");
        for (std::string line; std::getline(in, line);) {
            std::smatch match;
            if (line.find("maximum = 255;") != std::string::npos) {
                line = "maximum = " + std::to_string(maximum) + ";";
            } else if (std::regex_search(line, match, code) && std::stoi(match[2]) > maximum) {
                continue;
            }
            out << line << '\n';
        }
    }
    ~SmallKeycodeRange() { std::filesystem::remove_all(dir_); }

    std::string path() const { return dir_.string(); }

  private:
    std::filesystem::path dir_;
};

// The application's own handler, which the keyboard must leave in place.
int applicationHandler(Display*, XErrorEvent*) {
    return 0;
}

// The core keyboard ends at keycode 200, the XTEST keyboard, whose keymap we read, at 255, and
// only its keycodes above 200 are free: the server refuses the first binding, until our first
// key event gives the core keyboard the XTEST keyboard's keymap.
TEST(X11KeyEventsWithRefusedBinding, SkipAndReportTheCharacterAndLeaveOtherErrorsAlone) {
    constexpr int coreMaximum = 200;
    const SmallKeycodeRange xkb(coreMaximum);
    const XvfbServer server({"-xkbdir", xkb.path()});
    Display* control = XOpenDisplay(server.display().c_str());
    ASSERT_NE(control, nullptr);
    int count = 0;
    int xtest = -1;
    XIDeviceInfo* devices = XIQueryDevice(control, XIAllDevices, &count);
    for (int i = 0; i < count; ++i) {
        if (devices[i].use == XISlaveKeyboard && std::strstr(devices[i].name, "XTEST")) {
            xtest = devices[i].deviceid;
        }
    }
    XIFreeDeviceInfo(devices);
    ASSERT_NE(xtest, -1);
    XkbDescPtr keymap = XkbGetMap(control, XkbAllClientInfoMask, xtest);
    for (int code = keymap->min_key_code; code <= coreMaximum; ++code) {
        if (XkbKeyNumGroups(keymap, code) == 0) {
            KeySym unusable = XK_F35;
            XChangeKeyboardMapping(control, code, 1, &unusable, 1);
        }
    }
    XkbFreeKeyboard(keymap, 0, True);
    XSync(control, False);
    keymap = XkbGetMap(control, XkbAllClientInfoMask, xtest);
    XkbChangesRec changes{};
    ASSERT_EQ(XkbChangeKeycodeRange(keymap, keymap->min_key_code, 255, &changes), Success);
    keymap->device_spec = xtest;
    ASSERT_TRUE(XkbSetMap(control, XkbAllClientInfoMask, keymap));
    XkbFreeKeyboard(keymap, 0, True);
    XSync(control, False);

    XSetErrorHandler(applicationHandler);
    TextSink sink(server, true);
    ::testing::internal::CaptureStderr();
    {
        X11KeyEvents keyEvents(server.display());
        typeAll(keyEvents, {{"\u6c34a", false}, {"\u6c34", false}});
        EXPECT_EQ(sink.waitForBytes(4).text, "a\u6c34");
    }
    const std::string log = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(log,
              "tavo-receiver: warning: typing: 1 character(s) skipped: no key could be bound for "
              "them on the X display\n");
    EXPECT_EQ(XSetErrorHandler(nullptr), &applicationHandler);
    XCloseDisplay(control);
}

TEST(X11KeyEventsWithoutDisplay, RefusesSources) {
    X11KeyEvents keyEvents(":9999");
    EXPECT_FALSE(keyEvents.isConnected());
    EXPECT_EQ(keyEvents.createSource(), nullptr);
}

}  // namespace
}  // namespace tavo
