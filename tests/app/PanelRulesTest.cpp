#include <gtest/gtest.h>

#include "app/PanelRules.h"

namespace tavo {
namespace {

// A phone connected wins; then whether phones can find the receiver, also after it was found.
TEST(PanelRulesTest, StatusRowPrefersTheConnectedNameThenSaysWhyPhonesCannotFindIt) {
    const AdvertisingTrouble noDaemon{true, "Daemon not running"};
    const AdvertisingTrouble refused{false, "Invalid service type"};
    struct Case {
        std::optional<std::string> name;
        bool isAdvertising;
        std::optional<AdvertisingTrouble> trouble;
        StatusColor color;
        std::string text;
    };
    for (const Case& c : {
             Case{"", true, {}, StatusColor::green, ""},
             Case{"Ana's iPhone", false, noDaemon, StatusColor::green, "Ana's iPhone"},
             Case{std::nullopt, true, {}, StatusColor::gray, "Waiting for iPhone\u2026"},
             Case{std::nullopt, false, {}, StatusColor::gray, "Starting\u2026"},
             Case{std::nullopt, false, noDaemon, StatusColor::orange,
                  "Not visible to phones: the avahi-daemon service is not running"},
             Case{std::nullopt, true, noDaemon, StatusColor::orange,
                  "Not visible to phones: the avahi-daemon service is not running"},
             Case{std::nullopt, false, refused, StatusColor::orange,
                  "Not visible to phones: Invalid service type"},
         }) {
        PanelInputs inputs;
        inputs.connectedDeviceName = c.name;
        inputs.isAdvertising = c.isAdvertising;
        inputs.advertisingTrouble = c.trouble;
        const PanelContent content = panelContent(inputs);
        EXPECT_EQ(content.statusColor, c.color) << c.text;
        EXPECT_EQ(content.statusText, c.text);
    }
    EXPECT_EQ(trayIconName(std::string()), "barcode");
    EXPECT_EQ(trayIconName(std::nullopt), "barcode.viewfinder");
}

TEST(PanelRulesTest, PausedIconAndTheQuestionOfAPhoneAsking) {
    EXPECT_EQ(trayIconName(std::string("Till"), true), "barcode.paused");
    EXPECT_EQ(phoneAskingText({"Till 1", "fe80::1%wlan0"}),
              "Till 1 (fe80::1%wlan0) wants to type on this computer");
}

}  // namespace
}  // namespace tavo
