// The panel in each language at its fixed width, on the offscreen platform with a 1366×768 laptop
// screen (tests/app/laptop-screen.json) and the desktop font of Debian without a desktop's own
// (DejaVu Sans, 10 pt), with everything showing at once that a session shows together: the notice
// or the typing route, a phone asking, twenty scans marked not typed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QScreen>
#include <climits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "app/ElidedLabel.h"
#include "app/TavoReceiverApp.h"
#include "app/Translation.h"
#include "kit/TavoFraming.h"
#include "tests/support/FakeNetwork.h"
#include "tests/support/ManualMainThread.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"
#include "tests/support/UnregisteredLoginItems.h"

namespace tavo {
namespace {

// A session that cannot type shows the notice; one that can, its route, of which this is the
// longest platform/ gives.
class LongestTextsInputAccess : public InputAccess {
  public:
    explicit LongestTextsInputAccess(bool canType) : canType_(canType) {}
    bool isTrusted() override { return canType_; }
    std::string accessAdvice() override { return {}; }
    std::string typingRoute() override {
        return canType_ ? "Typing through KDE's fake input protocol. Characters missing from the "
                          "keyboard layout are pasted through the clipboard (Ctrl+V)."
                        : "";
    }

  private:
    bool canType_;
};

// What a text needs, laid out as its widget lays it out, against the room the widget has.
std::optional<std::string> clipped(const QWidget& widget, const QWidget& panel) {
    const QString name =
        widget.objectName().isEmpty() ? widget.metaObject()->className() : widget.objectName();
    const auto report = [&](const QString& text, QSize needed, QSize room) {
        return QStringLiteral("%1 \"%2\" needs %3×%4 px, has %5×%6")
            .arg(name, text)
            .arg(needed.width())
            .arg(needed.height())
            .arg(room.width())
            .arg(room.height())
            .toStdString();
    };
    if (widget.mapTo(&panel, QPoint(widget.width(), 0)).x() > panel.width()) {
        return (name + " reaches past the panel's edge").toStdString();
    }
    if (const auto* label = qobject_cast<const QLabel*>(&widget);
        label && !label->text().isEmpty()) {
        const QSize room = label->contentsRect().size();
        const QSize needed = label->wordWrap()
                                 ? label->fontMetrics()
                                       .boundingRect(QRect(0, 0, room.width(), INT_MAX),
                                                     Qt::TextWordWrap, label->text())
                                       .size()
                                 : QSize(label->fontMetrics().horizontalAdvance(label->text()),
                                         label->fontMetrics().height());
        if (needed.width() > room.width() || needed.height() > room.height()) {
            return report(label->text(), needed, room);
        }
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
        if (button->sizeHint().width() > button->width()) {
            return report(button->text(), button->sizeHint(), button->size());
        }
    }
    return std::nullopt;
}

// A language, and whether the session can type.
class PanelLanguageTest : public ::testing::TestWithParam<std::tuple<std::string, bool>> {};

TEST_P(PanelLanguageTest, EveryTextFitsTheWidthAndThePanelFitsTheScreen) {
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 10));
    const auto& [language, canType] = GetParam();
    Translation translation(QStringList{QString::fromStdString(language)});
    translation.install();

    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    FakeNetwork network;
    RecordingKeyEvents keyEvents;
    LongestTextsInputAccess inputAccess(canType);
    UnregisteredLoginItems loginItems;
    TavoReceiverApp app(mainThread, defaults, network, keyEvents, inputAccess, loginItems);
    const auto phone = network.makeConnection();
    network.listener().deliverConnection(phone);
    mainThread.drain();
    phone->feed(TavoFraming::encode(TavoHello{"Lager 3 (Zebra TC52)", 1}));
    for (int i = 0; i < 20; ++i) {
        phone->feed(TavoFraming::encode(TavoScan("4006381333931", "ean13", i)));
    }
    mainThread.drain();
    QCoreApplication::processEvents();

    MenuBarContentView& panel = *app.panel();
    ASSERT_TRUE(panel.findChild<QWidget*>("trustPrompt")->isVisible());
    ASSERT_EQ(panel.findChildren<QWidget*>("notTypedMark").size(), 20);
    if (language != "en") {
        ASSERT_FALSE(translation.language().isEmpty()) << "no catalogue built in";
        // One text of each class that translates, so that a context the catalogue does not
        // know shows up.
        EXPECT_NE(panel.findChild<QAbstractButton*>("quitButton")->text(), "Quit Tavo Receiver");
        EXPECT_NE(panel.findChild<QAbstractButton*>("allowPhoneButton")->text(), "Allow");
        EXPECT_NE(panel.findChild<QAbstractButton*>("pauseSwitch")->text(), "Pause typing");
        EXPECT_FALSE(panel.findChild<QLabel*>("trustQuestion")->text().contains("wants to type"));
        int trayMenus = 0;
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (const auto* trayMenu = qobject_cast<const QMenu*>(window)) {
                ++trayMenus;
                EXPECT_NE(trayMenu->actions().front()->text(), "Open Tavo Receiver");
            }
        }
        EXPECT_EQ(trayMenus, 1);
        // The sentences from platform/ too; Chinese and Japanese ones follow each other without
        // a space.
        const QString route = panel.findChild<QLabel*>("typingRoute")->text();
        EXPECT_EQ(route.isEmpty(), !canType);
        EXPECT_FALSE(route.contains("Typing through") || route.contains("Characters missing"))
            << route.toStdString();
        EXPECT_FALSE(route.contains(QStringLiteral("\u3002 "))) << route.toStdString();
    }

    EXPECT_EQ(panel.width(), MenuBarContentView::panelWidth);
    for (const QWidget* widget : panel.findChildren<QWidget*>()) {
        if (widget->isVisibleTo(&panel)) {
            if (const auto problem = clipped(*widget, panel)) {
                ADD_FAILURE() << *problem;
            }
        }
    }
    const auto& status = *panel.findChild<ElidedLabel*>("statusText");
    EXPECT_EQ(status.displayedText(), status.text());
    EXPECT_LE(panel.frameGeometry().height(), panel.screen()->availableGeometry().height());
}

// Qt's own texts, such as the buttons of the access advice, follow where the system has Qt's
// translations.
TEST(QtTextsTest, FollowTheLanguageWhereTheSystemHasQtsTranslations) {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm")) {
        GTEST_SKIP() << "qt6-translations-l10n is not installed";
    }
    Translation german({"de-DE"});
    german.install();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

// English, the language of the sources, and every language with a catalogue.
std::vector<std::string> languages() {
    std::vector<std::string> result{"en"};
    for (const QString& language : QStringLiteral(TAVO_LANGUAGES).split(' ')) {
        result.push_back(language.toStdString());
    }
    return result;
}

INSTANTIATE_TEST_SUITE_P(Languages, PanelLanguageTest,
                         ::testing::Combine(::testing::ValuesIn(languages()), ::testing::Bool()),
                         [](const auto& info) {
                             return std::get<0>(info.param) +
                                    (std::get<1>(info.param) ? "_typing" : "_notice");
                         });

}  // namespace
}  // namespace tavo
