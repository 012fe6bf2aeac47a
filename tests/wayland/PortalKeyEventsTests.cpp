#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "platform/wayland/PortalKeyEvents.h"
#include "tests/support/x11/ChildProcess.h"

namespace tavo {
namespace {

// A portal that grants everything at once stands in for the user's consent. Without a
// compositor here, the route knows no keymap and types plain ASCII only.
struct Portal {
    int version;
    bool keepsConsent;
    friend void PrintTo(const Portal& portal, std::ostream* out) {
        *out << "version " << portal.version << (portal.keepsConsent ? "" : ", keeping no consent");
    }
};

class PortalRoute : public ::testing::TestWithParam<Portal> {
  protected:
    void SetUp() override {
        ASSERT_EQ(portal_.readLine(timeout), "ready");
        keyEvents_ = PortalKeyEvents::open(tokenFile_);
        ASSERT_NE(keyEvents_, nullptr);
    }

    std::vector<std::string> portalSays(std::size_t count) {
        std::vector<std::string> lines;
        while (lines.size() < count) {
            const auto line = portal_.readLine(timeout);
            if (!line) {
                break;
            }
            // The session's steps are not at stake here.
            if (*line != "create" && *line != "start") {
                lines.push_back(*line);
            }
        }
        return lines;
    }

    static constexpr std::chrono::seconds timeout{10};
    testing::ChildProcess portal_{{TAVO_FAKE_PORTAL_PATH, std::to_string(GetParam().version),
                                   GetParam().keepsConsent ? "" : "forgetful"}};
    const std::filesystem::path tokenFile_ =
        std::filesystem::path(std::getenv("XDG_RUNTIME_DIR")) / "state" / "portal-token";
    std::unique_ptr<PortalKeyEvents> keyEvents_;
};

// Layout keys are typed in order, the rest skipped. With a persisted consent the session lasts
// only while a phone is connected, and the next one hands the portal its restore token; without
// (an older portal, or a backend that keeps no consent), the session is kept so as not to ask
// again.
TEST_P(PortalRoute, TypesLayoutKeysAndKeepsTheConsentWhereThePortalCanPersistIt) {
    const bool asksToPersist = GetParam().version >= 2;
    const bool persists = asksToPersist && GetParam().keepsConsent;
    keyEvents_->phoneConnectionChanged(true);
    EXPECT_EQ(portalSays(1),
              std::vector<std::string>{
                  "select types=1 persist=" + std::string(asksToPersist ? "2" : "0") + " token="});
    KeystrokeTyper(*keyEvents_).type("A1\u00fc", true);
    EXPECT_EQ(portalSays(6), (std::vector<std::string>{"key 65 1", "key 65 0", "key 49 1",
                                                       "key 49 0", "key 65293 1", "key 65293 0"}));

    keyEvents_->phoneConnectionChanged(false);
    keyEvents_->phoneConnectionChanged(true);
    KeystrokeTyper(*keyEvents_).type("x", false);
    if (persists) {
        EXPECT_EQ(portalSays(4),
                  (std::vector<std::string>{"closed", "select types=1 persist=2 token=token-1",
                                            "key 120 1", "key 120 0"}));
        std::string token;
        std::getline(std::ifstream(tokenFile_), token);
        EXPECT_EQ(token, "token-2");
    } else {
        EXPECT_EQ(portalSays(2), (std::vector<std::string>{"key 120 1", "key 120 0"}));
        EXPECT_FALSE(std::filesystem::exists(tokenFile_));
    }
}

INSTANTIATE_TEST_SUITE_P(Portals, PortalRoute,
                         ::testing::Values(Portal{1, true}, Portal{2, true}, Portal{2, false}),
                         [](const auto& info) {
                             return "Version" + std::to_string(info.param.version) +
                                    (info.param.keepsConsent ? "" : "KeepingNoConsent");
                         });

}  // namespace
}  // namespace tavo
