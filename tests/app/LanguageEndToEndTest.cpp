#include <gmock/gmock.h>

#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

using ::testing::IsSupersetOf;
using LanguageEndToEndTest = ReceiverDesktopTest;

// The panel as a German session shows it, kept beside the test's other pictures.
TEST_F(LanguageEndToEndTest, PanelSpeaksGermanInAGermanSession) {
    environment_.push_back("LANG=de_DE.UTF-8");
    startReceiver();
    openPanel();
    const std::vector<std::string> german{
        "-\tTavo Receiver",
        "statusText\tWarten auf iPhone \u2026",
        "-\tAusgabeformat",
        "newlineSegment\tZeilenumbruch",
        "csvSegment\tCSV",
        "noScansText\tNoch keine Scans",
        "pauseSwitch\tTippen pausieren",
        "askBeforeNewPhoneSwitch\tBei neuen Telefonen nachfragen",
        "forgetPhonesButton\tErlaubte Telefone vergessen",
        "launchAtLoginSwitch\tBeim Anmelden starten",
        "quitButton\tTavo Receiver beenden",
        "modeDescription\tJeder Scan wird getippt, danach wird die Eingabetaste gedr\u00fcckt "
        "\u2013 ein Scan pro Zeile."};
    EXPECT_TRUE(waitUntil([&] { return ::testing::Value(panelTexts(), IsSupersetOf(german)); }));
    EXPECT_THAT(panelTexts(), IsSupersetOf(german));
    std::ofstream list(fs::path(TAVO_E2E_ARTIFACT_DIR) / "tavo-receiver-panel-de.txt");
    for (const std::string& text : panelTexts()) {
        list << text << '\n';
    }
    screenshot(fs::path(TAVO_E2E_ARTIFACT_DIR) / "tavo-receiver-panel-de.png");
}

TEST_F(LanguageEndToEndTest, PanelStaysEnglishInTheCLocale) {
    startReceiver();
    openPanel();
    const std::vector<std::string> english{"-\tTavo Receiver",
                                           "statusText\tWaiting for iPhone\u2026",
                                           "-\tOutput format",
                                           "newlineSegment\tNewline",
                                           "noScansText\tNo scans yet",
                                           "launchAtLoginSwitch\tLaunch at Login",
                                           "quitButton\tQuit Tavo Receiver"};
    EXPECT_TRUE(waitUntil([&] { return ::testing::Value(panelTexts(), IsSupersetOf(english)); }));
    EXPECT_THAT(panelTexts(), IsSupersetOf(english));
}

}  // namespace
}  // namespace tavo::testing
