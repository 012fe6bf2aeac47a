#include <gtest/gtest.h>

#include "app/PanelRules.h"

namespace tavo {
namespace {

TEST(PanelRulesTest, StatusRowPrefersTheConnectedNameEvenWhenEmpty) {
    struct Case {
        std::optional<std::string> name;
        bool isAdvertising;
        StatusColor color;
        std::string text;
    };
    for (const Case& c : {Case{"", true, StatusColor::green, ""},
                          Case{"Ana's iPhone", false, StatusColor::green, "Ana's iPhone"},
                          Case{std::nullopt, true, StatusColor::gray, "Waiting for iPhone\u2026"},
                          Case{std::nullopt, false, StatusColor::gray, "Starting\u2026"}}) {
        PanelInputs inputs;
        inputs.connectedDeviceName = c.name;
        inputs.isAdvertising = c.isAdvertising;
        const PanelContent content = panelContent(inputs);
        EXPECT_EQ(content.statusColor, c.color) << c.text;
        EXPECT_EQ(content.statusText, c.text);
    }
    EXPECT_EQ(trayIconName(std::string()), "barcode");
    EXPECT_EQ(trayIconName(std::nullopt), "barcode.viewfinder");
}

TEST(PanelRulesTest, ModeNoticeAndScansFollowTheirInputs) {
    PanelInputs inputs;
    inputs.outputMode = ReceiverOutputMode::csv;
    inputs.isTrusted = false;
    EXPECT_EQ(panelContent(inputs).modeDescription,
              "Each scan is typed followed by a comma, no Return \u2014 builds one line yourself.");
    EXPECT_TRUE(panelContent(inputs).showsAccessibilityNotice);
    EXPECT_TRUE(panelContent(inputs).scanRows.empty());

    inputs.outputMode = ReceiverOutputMode::newline;
    inputs.isTrusted = true;
    // The panel shows the list as given, newest first, and leaves the cap to the listener.
    for (int i = 0; i < 21; ++i) {
        inputs.recentScans.insert(inputs.recentScans.begin(),
                                  TavoScan(std::to_string(i), "ean13", i));
    }
    const PanelContent content = panelContent(inputs);
    EXPECT_EQ(content.modeDescription,
              "Each scan is typed, then Return is pressed \u2014 one scan per line.");
    EXPECT_FALSE(content.showsAccessibilityNotice);
    ASSERT_EQ(content.scanRows.size(), 21u);
    EXPECT_EQ(content.scanRows.front().value, "20");
    EXPECT_EQ(content.scanRows.front().id, inputs.recentScans.front().id.string());
    EXPECT_EQ(content.scanRows.back().value, "0");
}

}  // namespace
}  // namespace tavo
