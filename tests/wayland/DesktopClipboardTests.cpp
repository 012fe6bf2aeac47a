#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/wayland/ClipboardContent.h"
#include "tests/support/WaitUntil.h"
#include "tests/support/wayland/OnCompositor.h"

namespace tavo {
namespace {

using testing::ChildProcess;
using testing::CompositorKind;
using testing::expectedOf;
using testing::Text;

// The programs that own, watch and read a desktop's clipboard (see tavo-wayland-clipboard and
// mutter-clipboard.py, which take the same commands).
struct Desktop {
    const char* name;
    CompositorKind (*kind)();
    std::vector<std::string> helper;
    std::vector<std::string> types;
    std::vector<std::string> paste;
};

void PrintTo(const Desktop& desktop, std::ostream* out) {
    *out << desktop.name;
}

const Desktop kwin{"KWin",
                   testing::kwinCompositor,
                   {TAVO_WAYLAND_CLIPBOARD_PATH},
                   {"wl-paste", "--list-types"},
                   {"wl-paste", "--no-newline", "--type"}};
const Desktop mutter{"Mutter",
                     testing::mutterCompositor,
                     {TAVO_MUTTER_CLIPBOARD_PATH},
                     {TAVO_MUTTER_CLIPBOARD_PATH, "types"},
                     {TAVO_MUTTER_CLIPBOARD_PATH, "paste"}};

// Each type with its size and a hash of its bytes, so that a difference prints briefly.
std::vector<std::string> summary(const ClipboardContent& content) {
    std::vector<std::string> lines;
    for (const auto& [type, data] : content) {
        std::uint64_t hash = 14695981039346656037ULL;
        for (const char byte : data) {
            hash = (hash ^ static_cast<unsigned char>(byte)) * 1099511628211ULL;
        }
        lines.push_back(type + ": " + std::to_string(data.size()) + " bytes, hash " +
                        std::to_string(hash));
    }
    return lines;
}

// Each compositor start serves several checks, in the order a user's day might bring them.
class ClipboardOnDesktop : public testing::TypingOnCompositor,
                           public ::testing::WithParamInterface<Desktop> {
  protected:
    CompositorKind kind() const override { return GetParam().kind(); }

    void SetUp() override {
        TypingOnCompositor::SetUp();
        folder_ = std::filesystem::path(std::getenv("XDG_RUNTIME_DIR")) / "clipboard-test";
        std::filesystem::create_directories(folder_);
    }

    std::string file(const std::string& name, const std::string& bytes) {
        const auto path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    // A helper command, once it takes part.
    std::unique_ptr<ChildProcess> start(const std::vector<std::string>& arguments) {
        std::vector<std::string> command = GetParam().helper;
        command.insert(command.end(), arguments.begin(), arguments.end());
        auto process = std::make_unique<ChildProcess>(command);
        EXPECT_EQ(process->readLine(std::chrono::seconds(10)), "ready");
        return process;
    }

    // Owns the clipboard with the content (and `huge` bytes of one more type); returns once the
    // clipboard shows it.
    std::unique_ptr<ChildProcess> own(const ClipboardContent& content, bool stall = false,
                                      std::size_t huge = 0) {
        std::vector<std::string> arguments{"own"};
        if (stall) {
            arguments.emplace_back("--stall");
        }
        std::vector<std::string> types;
        for (const auto& [type, data] : content) {
            arguments.push_back(type + "=" + file("owned-" + std::to_string(types.size()), data));
            types.push_back(type);
        }
        if (huge > 0) {
            arguments.push_back("application/x-tavo-huge*" + std::to_string(huge));
            types.emplace_back("application/x-tavo-huge");
        }
        auto owner = start(arguments);
        EXPECT_TRUE(testing::waitUntil([&] { return this->types() == types; }));
        return owner;
    }

    std::vector<std::string> types() {
        ChildProcess process(GetParam().types);
        std::vector<std::string> lines;
        while (const auto line = process.readLine(std::chrono::seconds(10))) {
            lines.push_back(*line);
        }
        return lines;
    }

    std::string paste(const std::string& type) {
        const auto output = folder_ / "pasted";
        std::vector<std::string> command{"sh", "-c", "out=$0; \"$@\" >\"$out\"", output.string()};
        command.insert(command.end(), GetParam().paste.begin(), GetParam().paste.end());
        command.push_back(type);
        testing::runProgram(command);
        std::ifstream file(output, std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        return bytes.str();
    }

    // Every type the clipboard offers, with its data.
    std::vector<std::string> clipboard() {
        ClipboardContent content;
        for (const std::string& type : types()) {
            content.push_back({type, paste(type)});
        }
        return summary(content);
    }

    // Types the texts and returns what was logged meanwhile.
    std::string typeLogged(const std::vector<Text>& texts) {
        ::testing::internal::CaptureStderr();
        typeAll(texts);
        return ::testing::internal::GetCapturedStderr();
    }

    void expectTyped(const std::vector<Text>& texts) {
        typed_ += expectedOf(texts);
        EXPECT_EQ(sink_->waitForBytes(typed_.size()).text, typed_);
    }

    void useSink(const std::string& pasteDelay) {
        sink_ = testing::openWaylandTextSink(*compositor_, true, pasteDelay);
        typed_.clear();
    }

    // At Quit our ownership ends as any program's copy does: what stays is the desktop's
    // clipboard manager's choice, and never more than the user had.
    void expectAtMostTheUsersContentAfterQuit(const ClipboardContent& content) {
        route_.phoneConnectionChanged = nullptr;
        route_.keyEvents.reset();
        const std::vector<std::string> before = summary(content);
        for (const std::string& entry : clipboard()) {
            std::cout << "after Quit: " << entry << '\n';
            EXPECT_NE(std::find(before.begin(), before.end(), entry), before.end()) << entry;
        }
    }

    std::filesystem::path folder_;
    std::string typed_;
};

// Bytes of every value, newlines and NULs among them.
std::string binary(std::size_t size) {
    std::string bytes(size, '\0');
    std::uint32_t state = 1;
    for (char& byte : bytes) {
        state = state * 1103515245U + 12345U;
        byte = static_cast<char>(state >> 16);
    }
    return bytes;
}

constexpr auto skippedOne = "skipped 1 character(s)";

// Where the receiver cannot keep the user's clipboard whole, it leaves it alone and skips what
// needs a paste.
TEST_P(ClipboardOnDesktop, LeavesTheClipboardAloneWhereItCannotKeepIt) {
    {
        // On GNOME the receiver keeps the clipboard with the transient mark alone, which
        // nothing pastes.
        SCOPED_TRACE("an empty clipboard stays empty");
        const std::vector<Text> texts{{"\u00fc", true}};
        typeAll(texts);
        expectTyped(texts);
        for (const std::string& type : types()) {
            EXPECT_EQ(type, transientHintType);
        }
    }
    {
        SCOPED_TRACE("an owner offering 200 MiB");
        const auto owner = own({{"text/plain", "kept"}}, false, std::size_t{200} << 20);
        EXPECT_NE(typeLogged({{"b\u00fc", true}}).find(skippedOne), std::string::npos);
        expectTyped({{"b", true}});
        EXPECT_EQ(types(), (std::vector<std::string>{"text/plain", "application/x-tavo-huge"}));
        EXPECT_EQ(paste("text/plain"), "kept");
    }
    {
        SCOPED_TRACE("a copy made while the receiver pastes");
        const auto owner = own({{"text/plain", "kept"}});
        const auto copier = start({"copy-on-change", "newer"});
        EXPECT_NE(typeLogged({{"\u00e9", true}}).find(skippedOne), std::string::npos);
        expectTyped({{"", true}});
        EXPECT_EQ(paste("text/plain"), "newer");
    }
    {
        // Last: Mutter's own clipboard manager waits for such an owner too.
        SCOPED_TRACE("an owner that never answers a read");
        const auto owner = own({{"text/plain", "kept"}}, true);
        const std::vector<Text> texts{{"a\u00fc", true}};
        EXPECT_NE(typeLogged(texts).find(skippedOne), std::string::npos);
        expectTyped({{"a", true}});
        EXPECT_EQ(types(), std::vector<std::string>{"text/plain"});
    }
}

// The focused application gets the scan's characters even when it reads its paste late and a
// clipboard history reads every new selection at once; the history records none of them; the
// user's clipboard comes back whole, whatever the phone does.
TEST_P(ClipboardOnDesktop, ThePasteGoesOnlyToTheApplicationAndTheClipboardComesBackWhole) {
    const ClipboardContent content{{"text/plain", "kept text"},
                                   {"text/html", "<b>kept</b> text"},
                                   {"application/x-tavo-binary", binary(1 << 20)}};
    const auto owner = own(content);
    const auto historyFile = file("history", "");
    const auto history = start({"history", historyFile});
    useSink("300");

    const std::vector<Text> texts{{"\u00fc1\u00e9", true}, {"x\u20acy", true}};
    typeAll(texts);
    expectTyped(texts);
    EXPECT_EQ(clipboard(), summary(content));
    std::ifstream recorded(historyFile);
    for (std::string line; std::getline(recorded, line);) {
        EXPECT_EQ(line.find_first_of("\xc3\xe2"), std::string::npos) << line;
    }

    if (route_.phoneConnectionChanged) {
        route_.phoneConnectionChanged(false);
        EXPECT_EQ(clipboard(), summary(content)) << "after the phone disconnected";
        route_.phoneConnectionChanged(true);
        const std::vector<Text> more{{"\u00f1", true}};
        typeAll(more);
        expectTyped(more);
        EXPECT_EQ(clipboard(), summary(content)) << "after the next phone";
    }

    // A terminal takes Ctrl+V as a control character and reads no paste: that counts as
    // skipped, although the history read the offer.
    useSink("never");
    EXPECT_NE(typeLogged({{"z\u00fc", true}}).find(skippedOne), std::string::npos);
    expectTyped({{"z", true}});
    EXPECT_EQ(clipboard(), summary(content));

    expectAtMostTheUsersContentAfterQuit(content);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ClipboardOnDesktop, ::testing::Values(kwin, mutter),
                         [](const auto& info) { return std::string(info.param.name); });

// GNOME with Xwayland, as it runs by default: the restored content is kept by an X11 owner of
// ours, so the remote desktop session (and GNOME's remote-control indicator) ends with the phone.
class ClipboardOnMutterWithXwayland : public ClipboardOnDesktop {
  protected:
    CompositorKind kind() const override { return testing::mutterWithXwaylandCompositor(); }

    void SetUp() override {
        ClipboardOnDesktop::SetUp();
        if (!IsSkipped()) {
            setenv("DISPLAY", compositor_->awaitFile("x-display").c_str(), 1);
            setenv("XAUTHORITY", compositor_->awaitFile("x-authority").c_str(), 1);
        }
    }
};

TEST_P(ClipboardOnMutterWithXwayland, TheClipboardOutlivesTheSessionThatRestoredIt) {
    const ClipboardContent content{{"text/plain", "kept text"},
                                   {"text/html", "<b>kept</b> text"},
                                   {"application/x-tavo-binary", binary(1 << 20)}};
    const auto owner = own(content);
    const int withOurs = testing::mutterRemoteDesktopSessions();
    const std::vector<Text> texts{{"\u00fc1\u00e9", true}};
    typeAll(texts);
    expectTyped(texts);
    EXPECT_EQ(clipboard(), summary(content));

    route_.phoneConnectionChanged(false);
    EXPECT_EQ(testing::mutterRemoteDesktopSessions(), withOurs - 1);
    EXPECT_EQ(clipboard(), summary(content)) << "after the phone disconnected";

    // The headless seat's keyboard went with the session: a new window sees the next one.
    route_.phoneConnectionChanged(true);
    useSink("0");
    const std::vector<Text> more{{"x\u20ac", true}};
    typeAll(more);
    expectTyped(more);
    EXPECT_EQ(clipboard(), summary(content)) << "after the next phone";
    expectAtMostTheUsersContentAfterQuit(content);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ClipboardOnMutterWithXwayland, ::testing::Values(mutter),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tavo
