#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/xdg/XdgLoginItems.h"

namespace tavo {
namespace {

namespace fs = std::filesystem;

class XdgLoginItemsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/tavo-xdg-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        configHome_ = pattern;
        entry_ = configHome_ / "autostart" / "tavo-receiver.desktop";
        setenv("XDG_CONFIG_HOME", pattern, 1);
    }
    void TearDown() override { fs::remove_all(configHome_); }

    fs::path configHome_;
    fs::path entry_;
    XdgLoginItems loginItems_;
};

TEST_F(XdgLoginItemsTest, RegisterWritesAnEntryThatStartsThisProgramAndUnregisterRemovesIt) {
    EXPECT_EQ(loginItems_.status(), LoginItemStatus::notRegistered);

    ASSERT_EQ(loginItems_.registerItem(), std::nullopt);
    EXPECT_EQ(loginItems_.status(), LoginItemStatus::enabled);
    std::stringstream text;
    text << std::ifstream(entry_).rdbuf();
    const std::string exec =
        "\nExec=" + desktopEntryExec(fs::read_symlink("/proc/self/exe")) + "\n";
    EXPECT_NE(text.str().find(exec), std::string::npos) << text.str();
    EXPECT_EQ(std::distance(fs::directory_iterator(entry_.parent_path()), {}), 1);

    ASSERT_EQ(loginItems_.unregisterItem(), std::nullopt);
    EXPECT_FALSE(fs::exists(entry_));
    EXPECT_EQ(loginItems_.status(), LoginItemStatus::notRegistered);
}

TEST_F(XdgLoginItemsTest, SwitchedOffEntryReadsAsOffAndRegisterReplacesIt) {
    fs::create_directories(entry_.parent_path());
    const std::pair<const char*, LoginItemStatus> cases[] = {
        {"[Desktop Entry]\nExec=x\nHidden = true\n", LoginItemStatus::notRegistered},
        {"[Desktop Entry]\nX-GNOME-Autostart-enabled=false\nHidden=false\n",
         LoginItemStatus::notRegistered},
        {"[Desktop Entry]\nHidden=false\nX-GNOME-Autostart-enabled=true\n",
         LoginItemStatus::enabled},
        {"[Desktop Entry]\nExec=x\n[Desktop Action x]\nHidden=true\n"
         "X-GNOME-Autostart-enabled=false\n",
         LoginItemStatus::enabled},
    };
    for (const auto& [text, status] : cases) {
        std::ofstream(entry_) << text;
        EXPECT_EQ(loginItems_.status(), status) << text;
    }

    std::ofstream(entry_) << "[Desktop Entry]\nHidden=true\n";
    ASSERT_EQ(loginItems_.registerItem(), std::nullopt);
    EXPECT_EQ(loginItems_.status(), LoginItemStatus::enabled);
}

// Places that cannot be written, for root too, and the reason in the system's words.
TEST_F(XdgLoginItemsTest, FailureIsReportedWithItsReason) {
    std::ofstream(configHome_ / "autostart") << "a file where the folder belongs";
    EXPECT_EQ(loginItems_.registerItem(), "Not a directory");
    EXPECT_EQ(loginItems_.status(), LoginItemStatus::notRegistered);

    fs::remove(configHome_ / "autostart");
    fs::create_directories(entry_ / "in the way");
    EXPECT_EQ(loginItems_.registerItem(), "Is a directory");
    EXPECT_EQ(loginItems_.unregisterItem(), "Directory not empty");
    EXPECT_EQ(std::distance(fs::directory_iterator(entry_.parent_path()), {}), 1)
        << "no partial entry left behind";
}

// Run inside tests/app/with-unwritable-config.sh, which makes the folders; skipped elsewhere.
TEST(XdgLoginItemsOnMountsTest, ReadOnlyAndFullFoldersGiveTheirReasons) {
    const char* readOnly = std::getenv("TAVO_READ_ONLY_CONFIG");
    const char* full = std::getenv("TAVO_FULL_CONFIG");
    if (readOnly == nullptr || full == nullptr) {
        GTEST_SKIP() << "needs the folders of with-unwritable-config.sh";
    }
    XdgLoginItems loginItems;
    setenv("XDG_CONFIG_HOME", readOnly, 1);
    EXPECT_EQ(loginItems.registerItem(), "Read-only file system");
    setenv("XDG_CONFIG_HOME", full, 1);
    EXPECT_EQ(loginItems.registerItem(), "No space left on device");
    EXPECT_EQ(loginItems.status(), LoginItemStatus::notRegistered);
    EXPECT_TRUE(fs::is_empty(fs::path(full) / "autostart")) << "no partial entry left behind";
}

TEST(DesktopEntryExecTest, QuotesOnlyWhatNeedsItThenEscapes) {
    EXPECT_EQ(desktopEntryExec("tavo-receiver"), "tavo-receiver");
    EXPECT_EQ(desktopEntryExec("/opt/My Apps/tavo"), "\"/opt/My Apps/tavo\"");
    // Quoting escapes " ` $ \ with a backslash and % as %%; the string escape then doubles every
    // backslash.
    EXPECT_EQ(desktopEntryExec("/a\"b`c$d\\e%f"), R"("/a\\"b\\`c\\$d\\\\e%%f")");
    EXPECT_EQ(desktopEntryExec("/a\nb"), "\"/a\\nb\"");
}

TEST_F(XdgLoginItemsTest, AutostartUsesTheBareNameOnlyWhenThePathFindsThisVeryProgram) {
    const auto executable = [](const fs::path& path) {
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    };
    const fs::path installed = executable(configHome_ / "bin" / "tavo-receiver");
    const fs::path other = executable(configHome_ / "opt" / "tavo-receiver");
    fs::create_directories(configHome_ / "link");
    fs::create_symlink(installed, configHome_ / "link" / "tavo-receiver");
    const std::string bin = (configHome_ / "bin").string();
    const std::string opt = (configHome_ / "opt").string();
    const std::string link = (configHome_ / "link").string();

    const struct {
        std::string searchPath;
        fs::path program;
        std::string expected;
    } cases[] = {
        {"/nonexistent:" + bin, installed, "tavo-receiver"},
        {link, installed, "tavo-receiver"},                // found through a link to the same file
        {opt + ":" + bin, installed, installed.string()},  // another one comes first
        {"/nonexistent", installed, installed.string()},
        {"", installed, installed.string()},
    };
    for (const auto& test : cases) {
        EXPECT_EQ(autostartProgram(test.program, test.searchPath), test.expected)
            << test.searchPath;
    }
}

}  // namespace
}  // namespace tavo
