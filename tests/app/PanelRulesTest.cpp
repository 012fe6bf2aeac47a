#include <gtest/gtest.h>

#include "app/PanelRules.h"
#include "app/ShownText.h"

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
    EXPECT_EQ(phoneAskingText({"Till 1", "fe80::1%wlan0", "link/02:00:00:00:00:01"}),
              "\u2068Till 1\u2069 (fe80::1%wlan0) wants to type on this computer");
    EXPECT_EQ(
        phoneAskingText({"Till 9", "10.20.0.5", "10.20.0.5", true}),
        "\u2068Till 9\u2069 (10.20.0.5, from another network) wants to type on this computer");
}

// A name from the network can neither break the line, nor reorder the words around it, nor grow
// past what fits, nor bring markup into a notification.
TEST(PanelRulesTest, NamesFromTheNetworkAreShownHarmless) {
    const std::string faked = "iPhone\n\u202e) wants nothing\u202c\x01\xff";
    EXPECT_EQ(phoneAskingText({faked, "192.168.1.20", "192.168.1.20"}),
              "\u2068iPhone \ufffd) wants nothing\ufffd \ufffd\u2069 (192.168.1.20) wants to type "
              "on this computer");
    PanelInputs inputs;
    inputs.connectedDeviceName = std::string(45, 'x') + "\u2067";
    EXPECT_EQ(panelContent(inputs).statusText, std::string(40, 'x') + "\u2026");
    inputs.recentScans = {{TavoScan("4006\u2066381", "ean\r13", 1.0), true}};
    EXPECT_EQ(panelContent(inputs).scanRows.front().value, "4006\ufffd381");
    EXPECT_EQ(panelContent(inputs).scanRows.front().symbology, "ean 13");
    EXPECT_EQ(withoutMarkup("<b>Ana</b> &amp;"), "\u2039b\u203aAna\u2039/b\u203a \uff06amp;");
}

}  // namespace
}  // namespace tavo
