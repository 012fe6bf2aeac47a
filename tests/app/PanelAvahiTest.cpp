// The panel on the offscreen platform, beside its own avahi-daemon (tests/support/avahi), with the
// real network: what it says while the daemon is away and once it is back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <cstdlib>
#include <stdexcept>

#include "app/ElidedLabel.h"
#include "app/QtMainThread.h"
#include "app/TavoReceiverApp.h"
#include "platform/network/AsioNetwork.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"
#include "tests/support/UnregisteredLoginItems.h"
#include "tests/support/WaitUntil.h"

namespace tavo {
namespace {

class TrustedInput : public InputAccess {
  public:
    bool isTrusted() override { return true; }
    std::string accessAdvice() override { return {}; }
    std::string typingRoute() override { return {}; }
};

bool runFixture(const char* variable) {
    return std::getenv(variable) && std::system(std::getenv(variable)) == 0;
}

class PanelAvahiTest : public ::testing::Test {
  protected:
    void TearDown() override {
        app_->stopNetwork();
        mainThread_.close();
    }

    template <typename Widget>
    Widget& child(const char* name) {
        auto* widget = app_->panel()->findChild<Widget*>(name);
        return widget != nullptr ? *widget : throw std::logic_error(name);
    }

    // Until the panel shows it, running Qt's events meanwhile.
    bool shows(const std::function<bool()>& condition) {
        return testing::waitUntil([&] {
            QCoreApplication::processEvents();
            return condition();
        });
    }

    QtMainThread mainThread_;
    MemoryDefaultsStore defaults_;
    AsioNetwork network_;
    RecordingKeyEvents keyEvents_;
    TrustedInput inputAccess_;
    UnregisteredLoginItems loginItems_;
    std::optional<TavoReceiverApp> app_;
};

TEST_F(PanelAvahiTest, SaysWhyPhonesCannotFindItUntilTheDaemonRuns) {
    ASSERT_TRUE(runFixture("TAVO_AVAHI_STOP"));
    app_.emplace(mainThread_, defaults_, network_, keyEvents_, inputAccess_, loginItems_);
    const auto& problem = child<QLabel>("statusProblem");
    EXPECT_TRUE(shows([&] {
        return problem.isVisible() &&
               problem.text() == "Not visible to phones: the avahi-daemon service is not running";
    })) << problem.text().toStdString();
    const auto& listening = child<QLabel>("listeningInfo");
    const QString port = QString("port %1").arg(*app_->listener()->port());
    EXPECT_TRUE(listening.isVisible());
    EXPECT_TRUE(listening.text().contains("127.0.0.1")) << listening.text().toStdString();
    EXPECT_TRUE(listening.text().endsWith(port)) << listening.text().toStdString();

    ASSERT_TRUE(runFixture("TAVO_AVAHI_START"));
    const auto& status = child<ElidedLabel>("statusText");
    EXPECT_TRUE(shows([&] {
        return !problem.isVisible() && status.isVisible() &&
               status.text() == "Waiting for iPhone\u2026";
    })) << problem.text().toStdString();
    const QString name = QString::fromStdString(app_->listener()->advertisedName().value_or("-"));
    EXPECT_TRUE(listening.text().startsWith(name + " \u00b7 ")) << listening.text().toStdString();
}

}  // namespace
}  // namespace tavo
