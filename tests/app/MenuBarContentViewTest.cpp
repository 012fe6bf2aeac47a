#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

#include "app/ElidedLabel.h"
#include "app/MenuBarContentView.h"
#include "tests/app/AppFakes.h"
#include "tests/support/MemoryDefaultsStore.h"

namespace tavo {
namespace {

class MenuBarContentViewTest : public ::testing::Test {
  protected:
    void TearDown() override {
        panel_.reset();
        for (QWidget* window : QApplication::topLevelWidgets()) {
            delete qobject_cast<QMessageBox*>(window);
        }
    }

    void openPanel() {
        panel_ = std::make_unique<MenuBarContentView>(listener_, inputAccess_, loginItems_);
        panel_->show();
    }

    template <typename Widget>
    Widget& child(const char* name) {
        auto* widget = panel_->findChild<Widget*>(name);
        if (widget == nullptr) {
            throw std::logic_error(name);
        }
        return *widget;
    }

    // Lets the queued rebuilds run.
    static void settle() { QCoreApplication::processEvents(); }

    ManualMainThread mainThread_;
    MemoryDefaultsStore defaults_;
    FakeNetwork network_;
    FakeInputAccess inputAccess_;
    FakeLoginItems loginItems_;
    std::shared_ptr<ScanListener> listener_ = ScanListener::make(mainThread_, defaults_, network_);
    std::unique_ptr<MenuBarContentView> panel_;
};

TEST_F(MenuBarContentViewTest, ChoosingCsvSetsPersistsAndReportsTheMode) {
    FakePhone phone(network_, mainThread_);
    phone.send(TavoHello{"Ana's iPhone", 1});
    openPanel();
    EXPECT_EQ(child<ElidedLabel>("statusText").text(), "Ana's iPhone");
    EXPECT_TRUE(child<QPushButton>("newlineSegment").isChecked());

    QTest::mouseClick(&child<QPushButton>("csvSegment"), Qt::LeftButton);
    settle();
    EXPECT_EQ(listener_->outputMode(), ReceiverOutputMode::csv);
    EXPECT_EQ(defaults_.string(ScanListener::outputModeKey), "csv");
    EXPECT_EQ(phone.statuses(),
              (std::vector{ReceiverOutputMode::newline, ReceiverOutputMode::csv}));
    EXPECT_FALSE(child<QPushButton>("newlineSegment").isChecked());
    EXPECT_EQ(child<QLabel>("modeDescription").text().toStdString(),
              "Each scan is typed followed by a comma, no Return \u2014 builds one line yourself.");
    EXPECT_EQ(QApplication::focusWidget(), nullptr);
}

TEST_F(MenuBarContentViewTest, ListRebuildsOnEachScanWithinTheFixedWidth) {
    FakePhone phone(network_, mainThread_);
    openPanel();
    EXPECT_TRUE(child<QLabel>("noScansText").isVisible());
    EXPECT_FALSE(child<QScrollArea>("scanList").isVisible());

    const std::string longValue(300, '7');
    phone.send(TavoScan(longValue, "code128", 0));
    settle();
    EXPECT_FALSE(child<QLabel>("noScansText").isVisible());
    const auto& value = child<ElidedLabel>("scanValue");
    EXPECT_EQ(value.text().toStdString(), longValue);
    EXPECT_TRUE(value.displayedText().endsWith(QChar(0x2026)));
    const auto& symbology = child<ElidedLabel>("scanSymbology");
    EXPECT_EQ(symbology.displayedText(), "code128");
    EXPECT_LE(symbology.mapTo(panel_.get(), QPoint(symbology.width(), 0)).x(),
              MenuBarContentView::panelWidth);

    for (int i = 1; i <= 20; ++i) {
        phone.send(TavoScan("scan " + std::to_string(i), "qr", i));
    }
    settle();
    const auto rows = child<QScrollArea>("scanList").findChildren<ElidedLabel*>("scanValue");
    ASSERT_EQ(rows.size(), 20);
    EXPECT_EQ(rows.front()->text(), "scan 20");
    EXPECT_EQ(rows.back()->text(), "scan 1");
    EXPECT_LE(child<QScrollArea>("scanList").height(), 200);
    EXPECT_EQ(panel_->width(), MenuBarContentView::panelWidth);
}

TEST_F(MenuBarContentViewTest, LaunchAtLoginCallsOncePerChangeAndNeverOnOpening) {
    loginItems_.succeeds = false;
    openPanel();
    panel_->hide();
    panel_->show();
    auto& launchAtLogin = child<QCheckBox>("launchAtLoginSwitch");
    EXPECT_FALSE(launchAtLogin.isChecked());

    QTest::mouseClick(&launchAtLogin, Qt::LeftButton);
    settle();
    EXPECT_TRUE(launchAtLogin.isChecked());  // the failure is dropped
    QTest::mouseClick(&launchAtLogin, Qt::LeftButton);
    settle();
    EXPECT_EQ(loginItems_.calls, (std::vector<std::string>{"status", "register", "unregister"}));

    loginItems_.currentStatus = LoginItemStatus::enabled;
    openPanel();
    EXPECT_TRUE(child<QCheckBox>("launchAtLoginSwitch").isChecked());
}

TEST_F(MenuBarContentViewTest, NoticeWhileUntrustedUntilTheNextRebuild) {
    inputAccess_.trusted = false;
    openPanel();
    EXPECT_TRUE(child<QWidget>("accessibilityNotice").isVisible());
    QTest::mouseClick(&child<QPushButton>("grantAccessButton"), Qt::LeftButton);
    const auto windows = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
        const auto* box = qobject_cast<QMessageBox*>(window);
        return box != nullptr && box->isVisible() && box->text() == "Run the session on X11.";
    }));

    inputAccess_.trusted = true;
    settle();
    EXPECT_TRUE(child<QWidget>("accessibilityNotice").isVisible());
    FakePhone phone(network_, mainThread_);
    phone.send(TavoHello{"Ana's iPhone", 1});
    settle();
    EXPECT_FALSE(child<QWidget>("accessibilityNotice").isVisible());
}

}  // namespace
}  // namespace tavo
