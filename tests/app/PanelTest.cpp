// The application on the offscreen platform, which has no tray: the panel is shown at once as an
// ordinary window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "app/ElidedLabel.h"
#include "app/TavoReceiverApp.h"
#include "kit/TavoFraming.h"
#include "platform/xdg/XdgLoginItems.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

using ::testing::Contains;
using ::testing::Return;

// What a screen reader gets of one accessible object: its role, name and state.
struct AccessibleNode {
    QAccessible::Role role;
    std::string name;
    QAccessible::State state;
    QObject* object;
};

// The accessible objects below `root` that are on screen, depth first.
void collectAccessible(QAccessibleInterface* root, std::vector<AccessibleNode>& nodes) {
    for (int i = 0; i < root->childCount(); ++i) {
        QAccessibleInterface* child = root->child(i);
        if (child == nullptr || child->state().invisible) {
            continue;
        }
        nodes.push_back({child->role(), child->text(QAccessible::Name).toStdString(),
                         child->state(), child->object()});
        collectAccessible(child, nodes);
    }
}

const AccessibleNode* accessibleByName(const std::vector<AccessibleNode>& nodes,
                                       const std::string& name) {
    const auto found = std::find_if(nodes.begin(), nodes.end(),
                                    [&](const AccessibleNode& node) { return node.name == name; });
    return found != nodes.end() ? &*found : nullptr;
}

class FakeInputAccess : public InputAccess {
  public:
    bool isTrusted() override { return trusted; }
    std::string accessAdvice() override { return "Run the session on X11."; }
    std::string typingRoute() override { return trusted ? "Typing through a test route." : ""; }

    bool trusted = true;
};

class MockLoginItems : public LoginItems {
  public:
    MOCK_METHOD(LoginItemStatus, status, (), (override));
    MOCK_METHOD(std::optional<LoginItemFailure>, registerItem, (), (override));
    MOCK_METHOD(std::optional<LoginItemFailure>, unregisterItem, (), (override));
};

class PanelTest : public ::testing::Test {
  protected:
    void start() {
        // The phone here is trusted; asking is proven with the receiver and end to end.
        defaults_.values[ScanListener::asksBeforeNewPhoneKey] = "false";
        app_.emplace(mainThread_, defaults_, network_, keyEvents_, inputAccess_, *loginItemsInUse_);
    }

    MenuBarContentView& panel() { return *app_->panel(); }

    template <typename Widget>
    Widget& child(const char* name) {
        auto* widget = panel().findChild<Widget*>(name);
        return widget != nullptr ? *widget : throw std::logic_error(name);
    }

    // A phone connects, unless one has, and sends the message; the panel catches up with it.
    void send(const TavoMessage& message) {
        if (!phone_) {
            phone_ = network_.makeConnection();
            network_.listener().deliverConnection(phone_);
            mainThread_.drain();
        }
        phone_->feed(TavoFraming::encode(message));
        mainThread_.drain();
        QCoreApplication::processEvents();
    }

    void click(const char* name) {
        QTest::mouseClick(&child<QAbstractButton>(name), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    ManualMainThread mainThread_;
    MemoryDefaultsStore defaults_;
    FakeNetwork network_;
    RecordingKeyEvents keyEvents_;
    FakeInputAccess inputAccess_;
    ::testing::NiceMock<MockLoginItems> loginItems_;
    LoginItems* loginItemsInUse_ = &loginItems_;
    std::optional<TavoReceiverApp> app_;
    std::shared_ptr<FakeConnection> phone_;
};

TEST_F(PanelTest, ListRebuildsOnEachScanWithinTheFixedWidth) {
    start();
    EXPECT_TRUE(child<QLabel>("noScansText").isVisible());
    EXPECT_FALSE(child<QScrollArea>("scanList").isVisible());

    const std::string longValue(300, '7');
    send(TavoScan(longValue, "code128", 0));
    EXPECT_FALSE(child<QLabel>("noScansText").isVisible());
    const auto& value = child<ElidedLabel>("scanValue");
    EXPECT_EQ(value.text().toStdString(), longValue);
    EXPECT_TRUE(value.displayedText().endsWith(QChar(0x2026)));
    const auto& symbology = child<ElidedLabel>("scanSymbology");
    EXPECT_EQ(symbology.displayedText(), "code128");
    EXPECT_LE(symbology.mapTo(&panel(), QPoint(symbology.width(), 0)).x(),
              MenuBarContentView::panelWidth);

    for (int i = 1; i < 20; ++i) {
        send(TavoScan("scan " + std::to_string(i), "qr", i));
    }
    const auto rows = child<QScrollArea>("scanList").findChildren<ElidedLabel*>("scanValue");
    ASSERT_EQ(rows.size(), 20);
    EXPECT_EQ(rows.front()->text(), "scan 19");
    EXPECT_LE(child<QScrollArea>("scanList").height(), 200);
    EXPECT_EQ(panel().width(), MenuBarContentView::panelWidth);
}

// A change that fails leaves the switch as it was, with the reason, until the next change.
TEST_F(PanelTest, LaunchAtLoginCallsOncePerChangeAndShowsWhatTookEffect) {
    {
        ::testing::InSequence order;
        EXPECT_CALL(loginItems_, status()).WillOnce(Return(LoginItemStatus::notRegistered));
        EXPECT_CALL(loginItems_, registerItem()).WillOnce(Return(std::nullopt));
        EXPECT_CALL(loginItems_, unregisterItem()).WillOnce(Return("Read-only file system"));
        EXPECT_CALL(loginItems_, unregisterItem()).WillOnce(Return(std::nullopt));
    }
    start();
    panel().hide();
    panel().show();
    auto& launchAtLogin = child<QCheckBox>("launchAtLoginSwitch");
    auto& failure = child<QLabel>("launchAtLoginFailure");
    EXPECT_FALSE(launchAtLogin.isChecked());
    click("launchAtLoginSwitch");
    EXPECT_TRUE(launchAtLogin.isChecked());
    EXPECT_FALSE(failure.isVisible());

    click("launchAtLoginSwitch");
    EXPECT_TRUE(launchAtLogin.isChecked());
    EXPECT_TRUE(failure.isVisible());
    EXPECT_EQ(failure.text(), "Could not turn it off: Read-only file system");
    send(TavoScan("1", "qr", 1));
    EXPECT_TRUE(failure.isVisible()) << "kept over other changes of the panel";

    click("launchAtLoginSwitch");
    EXPECT_FALSE(launchAtLogin.isChecked());
    EXPECT_FALSE(failure.isVisible());
    ::testing::Mock::VerifyAndClearExpectations(&loginItems_);

    ON_CALL(loginItems_, status()).WillByDefault(Return(LoginItemStatus::enabled));
    start();
    EXPECT_TRUE(child<QCheckBox>("launchAtLoginSwitch").isChecked());
}

// The autostart folder cannot be written, for root too: a file stands where it belongs.
TEST_F(PanelTest, LaunchAtLoginThatCannotBeWrittenEndsOffWithTheReason) {
    char folder[] = "/tmp/tavo-panel-config-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::filesystem::path configHome = folder;
    std::ofstream(configHome / "autostart") << "not a folder";
    setenv("XDG_CONFIG_HOME", folder, 1);
    XdgLoginItems loginItems;
    loginItemsInUse_ = &loginItems;
    start();

    click("launchAtLoginSwitch");
    EXPECT_FALSE(child<QCheckBox>("launchAtLoginSwitch").isChecked());
    const auto& failure = child<QLabel>("launchAtLoginFailure");
    EXPECT_TRUE(failure.isVisible());
    EXPECT_EQ(failure.text(), "Could not turn it on: Not a directory");
    app_.reset();
    unsetenv("XDG_CONFIG_HOME");
    std::filesystem::remove_all(configHome);
}

// The name shown is the one in use, also after Avahi renamed the service on a collision; while
// phones cannot find the receiver, no name, but still the addresses and the port.
TEST_F(PanelTest, ListsTheAdvertisedNameInUseOnlyWhilePhonesCanFindIt) {
    start();
    const auto& listening = child<QLabel>("listeningInfo");
    const auto deliver = [&](ListenerState state) {
        network_.listener().deliverState(std::move(state));
        mainThread_.drain();
        QCoreApplication::processEvents();
    };
    deliver({ListenerState::Kind::ready, std::nullopt, "host #2"});
    EXPECT_TRUE(listening.text().startsWith("host #2 \u00b7 ")) << listening.text().toStdString();
    EXPECT_TRUE(listening.text().endsWith("port 49152"));

    deliver({ListenerState::Kind::waiting, NetworkError{"Daemon not running"}});
    EXPECT_TRUE(child<QLabel>("statusProblem").isVisible());
    EXPECT_FALSE(listening.text().contains("host #2")) << listening.text().toStdString();
    EXPECT_TRUE(listening.text().endsWith("port 49152"));
}

TEST_F(PanelTest, NoticeWhileUntrustedUntilTheNextRebuild) {
    inputAccess_.trusted = false;
    start();
    EXPECT_TRUE(child<QWidget>("accessibilityNotice").isVisible());
    click("grantAccessButton");
    const auto windows = QApplication::topLevelWidgets();
    const auto found = std::find_if(windows.begin(), windows.end(), [](QWidget* window) {
        return qobject_cast<QMessageBox*>(window) != nullptr;
    });
    ASSERT_NE(found, windows.end());
    const std::unique_ptr<QMessageBox> advice(static_cast<QMessageBox*>(*found));
    EXPECT_TRUE(advice->isVisible());
    EXPECT_EQ(advice->text(), "Run the session on X11.");

    inputAccess_.trusted = true;
    QCoreApplication::processEvents();
    EXPECT_TRUE(child<QWidget>("accessibilityNotice").isVisible());
    send(TavoHello{"Ana's iPhone", 1});
    EXPECT_FALSE(child<QWidget>("accessibilityNotice").isVisible());
}

// Every fixed text of the panel, as written: a typo, or "..." for the ellipsis, fails.
TEST_F(PanelTest, FixedLabelsAndTooltipsReadExactly) {
    inputAccess_.trusted = false;
    start();
    std::vector<std::string> texts{panel().windowTitle().toStdString()};
    for (const QWidget* widget : panel().findChildren<QWidget*>()) {
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (label != nullptr && !label->text().isEmpty() &&
            label->objectName() != "modeDescription" && label->objectName() != "listeningInfo" &&
            label->objectName() != "typingRoute") {
            texts.push_back(label->text().toStdString());
        }
        // A switch whose text wraps has it in a label beside it.
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget);
            button != nullptr && !button->text().isEmpty()) {
            texts.push_back(button->text().toStdString());
        }
        if (!widget->toolTip().isEmpty()) {
            texts.push_back("tooltip: " + widget->toolTip().toStdString());
        }
    }
    EXPECT_THAT(
        texts,
        ::testing::UnorderedElementsAre(
            "Tavo Receiver", "Tavo Receiver", "Accessibility permission needed",
            "Tavo types scans into whatever app is focused, which requires Accessibility access.",
            "Grant Access\u2026", "Output format", "Newline", "CSV",
            "tooltip: Types the scan, then presses Return \u2014 one scan per line. Good for "
            "spreadsheets and lists.",
            "tooltip: Types the scan followed by a comma, with no Return \u2014 builds one "
            "comma-separated line yourself.",
            "Allow", "Deny", "No scans yet", "Pause typing", "Ask before a new phone types",
            "Only phones on this computer's networks", "Forget allowed phones", "Launch at Login",
            "Quit Tavo Receiver"));
}

TEST_F(PanelTest, ChosenFormatStandsOutAndAnotherClickOnItChangesNothing) {
    start();
    send(TavoHello{"Ana's\niPhone", 1});
    const auto sentBefore = phone_->sent.size();
    click("newlineSegment");
    EXPECT_EQ(phone_->sent.size(), sentBefore);
    EXPECT_EQ(defaults_.writes, 0u);
    EXPECT_TRUE(child<QPushButton>("newlineSegment").isChecked());

    const QImage picture = panel().grab().toImage();
    // Beside the title, clear of its letters.
    const auto fillColour = [&](const char* name) {
        const auto& segment = child<QPushButton>(name);
        const QPoint inside(3, segment.height() / 2);
        return picture.pixelColor(segment.mapTo(&panel(), inside) * picture.devicePixelRatio());
    };
    const QColor highlight = panel().palette().color(QPalette::Highlight);
    EXPECT_EQ(fillColour("newlineSegment"), highlight);
    EXPECT_NE(fillColour("csvSegment"), highlight);

    // Names and values with line breaks stay on one line.
    send(TavoScan("4006\r\n381", "ean13", 1.0));
    EXPECT_EQ(child<ElidedLabel>("statusText").displayedText(), "Ana's iPhone");
    EXPECT_EQ(child<ElidedLabel>("scanValue").displayedText(), "4006  381");

    click("csvSegment");
    EXPECT_FALSE(child<QPushButton>("newlineSegment").isChecked());
    EXPECT_EQ(child<QLabel>("modeDescription").text().toStdString(),
              "Each scan is typed followed by a comma, no Return \u2014 builds one line yourself.");
}

// Orca and automation tools read the panel through these interfaces (AT-SPI on Linux): every
// text the panel draws, the typed state of each scan and the chosen format.
TEST_F(PanelTest, AScreenReaderReadsTheStatusEachScanAndTheChosenFormat) {
    // The panel alone: the application holds typing back while its own window has the focus,
    // which the offscreen platform gives to every window it shows.
    defaults_.values[ScanListener::asksBeforeNewPhoneKey] = "false";
    const auto listener = ScanListener::make(mainThread_, defaults_, network_);
    MenuBarContentView panel(listener, inputAccess_, loginItems_);
    panel.show();
    send(TavoHello{"Ana's iPhone", 1});
    send(TavoScan("4006381333931", "ean13", 1.0));
    listener->setPaused(true);
    send(TavoScan("9780201633610", "isbn13", 2.0));
    QTest::mouseClick(panel.findChild<QAbstractButton*>("csvSegment"), Qt::LeftButton);
    QCoreApplication::processEvents();

    std::vector<AccessibleNode> nodes;
    collectAccessible(QAccessible::queryAccessibleInterface(&panel), nodes);
    const auto names = [&] {
        std::vector<std::string> all;
        for (const AccessibleNode& node : nodes) {
            all.push_back(node.name);
        }
        return all;
    }();
    EXPECT_THAT(names, Contains("Ana's iPhone"));
    for (const char* text : {"4006381333931", "ean13", "9780201633610", "isbn13"}) {
        const AccessibleNode* label = accessibleByName(nodes, text);
        ASSERT_NE(label, nullptr) << text;
        EXPECT_EQ(label->role, QAccessible::StaticText) << text;
    }
    // A row reads whole, with whether it was typed.
    const AccessibleNode* typedRow = accessibleByName(nodes, "4006381333931, ean13, typed");
    ASSERT_NE(typedRow, nullptr);
    EXPECT_EQ(typedRow->role, QAccessible::ListItem);
    EXPECT_NE(accessibleByName(nodes, "9780201633610, isbn13, not typed"), nullptr);

    const AccessibleNode* csv = accessibleByName(nodes, "CSV");
    ASSERT_NE(csv, nullptr);
    EXPECT_TRUE(csv->state.checkable);
    EXPECT_TRUE(csv->state.checked);
    EXPECT_FALSE(accessibleByName(nodes, "Newline")->state.checked);

    // No text drawn where a screen reader finds only a nameless filler.
    for (const AccessibleNode& node : nodes) {
        const auto* widget = qobject_cast<QWidget*>(node.object);
        const bool filler = node.role == QAccessible::Client || node.role == QAccessible::Pane;
        EXPECT_FALSE(filler && node.name.empty() && widget != nullptr &&
                     widget->findChildren<QWidget*>().isEmpty())
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

}  // namespace
}  // namespace tavo
