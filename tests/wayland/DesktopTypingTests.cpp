#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <signal.h>
#include <xkbcommon/xkbcommon-keysyms.h>

#include <chrono>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fake-input-client.h"
#include "platform/wayland/WaylandClient.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/scans/EanCodes.h"
#include "tests/support/wayland/OnCompositor.h"

namespace tavo {
namespace {

using testing::CompositorKind;
using testing::openWaylandTextSink;

using testing::expectedOf;
using testing::Text;

// Another program's key press (by evdev code and keysym), as a person would make it.
using KeyPress = void (*)(std::uint32_t key, std::uint32_t keysym);

void pressThroughFakeInput(std::uint32_t key, std::uint32_t) {
    const auto client = WaylandClient::connect();
    ASSERT_NE(client, nullptr);
    auto* fakeInput = client->bind<org_kde_kwin_fake_input>(org_kde_kwin_fake_input_interface, 4);
    ASSERT_NE(fakeInput, nullptr);
    org_kde_kwin_fake_input_authenticate(fakeInput, "test", "presses a key");
    org_kde_kwin_fake_input_keyboard_key(fakeInput, key, 1);
    org_kde_kwin_fake_input_keyboard_key(fakeInput, key, 0);
    client->roundtrip();
    org_kde_kwin_fake_input_destroy(fakeInput);
}

// A session of its own lives as long as its D-Bus connection: one process for all calls.
void pressThroughRemoteDesktop(std::uint32_t, std::uint32_t keysym) {
    const std::string script =
        "import dbus, sys\n"
        "bus = dbus.SessionBus()\n"
        "name = 'org.gnome.Mutter.RemoteDesktop'\n"
        "path = bus.get_object(name, '/org/gnome/Mutter/RemoteDesktop').CreateSession(\n"
        "    dbus_interface=name)\n"
        "session = dbus.Interface(bus.get_object(name, path), name + '.Session')\n"
        "session.Start()\n"
        "for down in (True, False):\n"
        "    session.NotifyKeyboardKeysym(dbus.UInt32(int(sys.argv[1])), down)\n"
        "session.Stop()\n";
    ASSERT_EQ(testing::runProgram({"python3", "-c", script, std::to_string(keysym)}), 0);
}

// Commands that own the clipboard (with standard input as the type that follows), list its
// types, and print its data as the type that follows.
struct ClipboardTool {
    std::vector<std::string> copy;
    std::vector<std::string> types;
    std::vector<std::string> paste;
};

const ClipboardTool dataControlTool{{"wl-copy", "--foreground", "--type"},
                                    {"wl-paste", "--list-types"},
                                    {"wl-paste", "--no-newline", "--type"}};
const ClipboardTool remoteDesktopTool{{TAVO_MUTTER_CLIPBOARD_PATH, "copy"},
                                      {TAVO_MUTTER_CLIPBOARD_PATH, "types"},
                                      {TAVO_MUTTER_CLIPBOARD_PATH, "paste"}};

struct Desktop {
    const char* name;
    CompositorKind (*kind)();
    const char* description;
    bool pastes;  // characters missing from the layout
    KeyPress press;
    ClipboardTool clipboard;
};

void PrintTo(const Desktop& desktop, std::ostream* out) {
    *out << desktop.name;
}

// The desktops whose routes type layout characters as keys and paste the others.
class OnDesktop : public testing::TypingOnCompositor,
                  public ::testing::WithParamInterface<Desktop> {
  protected:
    CompositorKind kind() const override { return GetParam().kind(); }
};

// Whoever owned the clipboard gets it back, with its own types and data, once the paste is read.
TEST_P(OnDesktop, APasteLeavesTheClipboardAsItWas) {
    const ClipboardTool& tool = GetParam().clipboard;
    const auto run = [](const std::vector<std::string>& command) {
        testing::ChildProcess process(command);
        std::vector<std::string> lines;
        while (const auto line = process.readLine(std::chrono::seconds(5))) {
            lines.push_back(*line);
        }
        return lines;
    };
    std::vector<std::string> owner{"sh", "-c", "printf 'kept\\n' | exec \"$@\"", "sh"};
    owner.insert(owner.end(), tool.copy.begin(), tool.copy.end());
    owner.push_back("text/x-tavo-test");
    testing::ChildProcess owning(owner);
    std::vector<std::string> types;
    ASSERT_TRUE(testing::waitUntil([&] { return !(types = run(tool.types)).empty(); }));

    typeAll({{"\u00fc", true}});
    EXPECT_EQ(sink_->waitForBytes(10).text, "\u00fc<Return>");

    EXPECT_EQ(run(tool.types), types);
    std::vector<std::string> paste = tool.paste;
    paste.push_back("text/x-tavo-test");
    EXPECT_EQ(run(paste), std::vector<std::string>{"kept"});
}

// Letters keep their case under a locked Caps Lock, which is locked again after each text, also
// when texts follow each other at once and some of their characters are pasted.
TEST_P(OnDesktop, CapsLockChangesNothingAndStaysLocked) {
    GetParam().press(KEY_CAPSLOCK, XKB_KEY_Caps_Lock);
    const std::vector<Text> texts{{"abc-ABC", true}, {"aB", true},       {"\u00e9\u20acx", true},
                                  {"Qz", true},      {"xY\u00fc", true}, {"mN", true}};
    typeAll(texts);
    GetParam().press(KEY_A, XKB_KEY_a);
    const std::string expected = expectedOf(texts) + "A";
    EXPECT_EQ(sink_->waitForBytes(expected.size()).text, expected);
}

const Desktop kwin{"KWin", testing::kwinCompositor, "Typing through KDE's fake input protocol",
                   true,   pressThroughFakeInput,   dataControlTool};
const Desktop mutter{
    "Mutter", testing::mutterCompositor, "Typing through GNOME's remote desktop service",
    true,     pressThroughRemoteDesktop, remoteDesktopTool};

INSTANTIATE_TEST_SUITE_P(Desktops, OnDesktop, ::testing::Values(kwin, mutter),
                         [](const auto& info) { return std::string(info.param.name); });

class OnEveryCompositor : public OnDesktop {};

// More distinct characters than one keymap holds, or than the layout has: the CJK characters
// need new keymaps on sway and go in one paste elsewhere.
TEST_P(OnEveryCompositor, ProbingChoosesTheRouteThatTypesEveryCharacterExactly) {
    EXPECT_EQ(route_.description, GetParam().description);
    EXPECT_EQ(route_.pastesMissingCharacters, GetParam().pastes);
    const std::vector<Text> texts = testing::mixedTexts(300);
    typeAll(texts);
    const std::string expected = expectedOf(texts);
    EXPECT_EQ(sink_->waitForBytes(expected.size()).text, expected);
}

// A phone sends its queue while the window stops reading for a while (a busy application, a
// loaded machine): nothing is lost, doubled or reordered, and the compositor must not disconnect
// the window for the keys queued meanwhile.

TEST_P(OnEveryCompositor, AThousandScansReachAWindowThatStopsReadingForASecond) {
    const std::vector<Text> scans = testing::scansOf(testing::eanCodes(1000));
    const pid_t sink = sink_->pid();
    ASSERT_EQ(kill(sink, SIGSTOP), 0);
    std::thread resume([sink] {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        kill(sink, SIGCONT);
    });
    typeAll(scans);
    resume.join();
    const std::string expected = expectedOf(scans);
    EXPECT_EQ(sink_->waitForBytes(expected.size()).text, expected) << compositor_->log();
}

const Desktop sway{"sway",
                   testing::swayCompositor,
                   "Typing through the compositor's virtual keyboard",
                   false,
                   nullptr,
                   {}};

INSTANTIATE_TEST_SUITE_P(Desktops, OnEveryCompositor, ::testing::Values(sway, kwin, mutter),
                         [](const auto& info) { return std::string(info.param.name); });

// X11 programs get the keys through Xwayland, which takes up each new keymap.
class OnSwayWithXwayland : public OnDesktop {
  protected:
    CompositorKind kind() const override { return testing::swayWithXwaylandCompositor(); }
    std::unique_ptr<testing::TextSink> openSink() override {
        return testing::openXwaylandTextSink(compositor_->awaitFile("x-display"), true);
    }
};

TEST_P(OnSwayWithXwayland, TypesEveryCharacterIntoX11WindowsToo) {
    // The X window takes the X focus itself, before the compositor gives it the keyboard.
    std::string typedBefore;
    while (typedBefore.empty()) {
        typeAll({{".", false}});
        typedBefore = sink_->waitForBytes(1, std::chrono::milliseconds(100)).text;
    }
    const std::vector<Text> texts = testing::mixedTexts(300);
    typeAll(texts);
    const std::string expected = typedBefore + expectedOf(texts);
    EXPECT_EQ(sink_->waitForBytes(expected.size()).text, expected);
}

INSTANTIATE_TEST_SUITE_P(Desktops, OnSwayWithXwayland, ::testing::Values(sway),
                         [](const auto& info) { return std::string(info.param.name); });

// KWin with a Russian layout beside the US one. Which group is current, a program without the
// keyboard focus cannot know: keys are used only where they type the same in both.
class OnKwinWithTwoGroups : public OnDesktop {
  protected:
    CompositorKind kind() const override {
        CompositorKind twoGroups = testing::kwinCompositor();
        twoGroups.files.emplace_back("kxkbrc", "[Layout]\nLayoutList=us,ru\nUse=true\n");
        twoGroups.command.back() = "export XDG_CONFIG_HOME=\"$PWD\" && " + twoGroups.command.back();
        return twoGroups;
    }
};

TEST_P(OnKwinWithTwoGroups, TypesExactlyWhileTheSecondGroupIsCurrent) {
    ASSERT_EQ(testing::runProgram({"gdbus", "call", "--session", "--dest", "org.kde.keyboard",
                                   "--object-path", "/Layouts", "--method",
                                   "org.kde.KeyboardLayouts.setLayout", "1"}),
              0);
    const std::vector<Text> texts{{"abc XYZ 123 \u043f\u0440\u0438\u0432\u0435\u0442", true}};
    typeAll(texts);
    // The key that types a on the US layout types ef now.
    GetParam().press(KEY_A, XKB_KEY_a);
    const std::string expected = expectedOf(texts) + "\u0444";
    EXPECT_EQ(sink_->waitForBytes(expected.size()).text, expected);
}

INSTANTIATE_TEST_SUITE_P(Desktops, OnKwinWithTwoGroups, ::testing::Values(kwin),
                         [](const auto& info) { return std::string(info.param.name); });

// GNOME shows its remote-control indicator while a session runs: while a phone is connected,
// or once a text came without one.
using OnMutter = OnDesktop;

TEST_P(OnMutter, RunsASessionOnlyWhileAPhoneIsConnectedOrATextCame) {
    EXPECT_EQ(testing::mutterRemoteDesktopSessions(), 1);
    route_.phoneConnectionChanged(false);
    EXPECT_EQ(testing::mutterRemoteDesktopSessions(), 0);
    typeAll({{"42", true}});
    EXPECT_EQ(testing::mutterRemoteDesktopSessions(), 1);
    // The headless seat lost its only keyboard with the first session: a new window sees the
    // new one.
    const auto sink = openWaylandTextSink(*compositor_, true);
    typeAll({{"43", true}});
    EXPECT_EQ(sink->waitForBytes(10).text, "43<Return>");
    route_.phoneConnectionChanged(false);
    EXPECT_EQ(testing::mutterRemoteDesktopSessions(), 0);
}

INSTANTIATE_TEST_SUITE_P(Desktops, OnMutter, ::testing::Values(mutter),
                         [](const auto& info) { return std::string(info.param.name); });

// KWin hides fake input from programs whose installed desktop entry does not ask for it.
class OnKwinWithoutPermission : public testing::OnCompositor {
  protected:
    CompositorKind kind() const override {
        CompositorKind checked = testing::kwinCompositor();
        checked.environment.clear();
        return checked;
    }
};

TEST_F(OnKwinWithoutPermission, ProbingFindsNoRouteAndAdvisesInstallingThePackage) {
    const TypingRoute route = probeWaylandTyping();
    EXPECT_EQ(route.keyEvents, nullptr);
    EXPECT_NE(route.advice.find("KDE Plasma lets only installed programs type"), std::string::npos)
        << route.advice;
}

}  // namespace
}  // namespace tavo
