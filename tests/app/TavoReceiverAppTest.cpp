#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include "app/TavoReceiverApp.h"
#include "tests/app/AppFakes.h"
#include "tests/support/MemoryDefaultsStore.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

// The offscreen platform has no tray: the panel is shown at once as an ordinary window.
TEST(TavoReceiverAppTest, WithoutATrayShowsThePanelAndTypesInTheModeChosenThere) {
    ManualMainThread mainThread;
    MemoryDefaultsStore defaults;
    FakeNetwork network;
    RecordingKeyEvents keyEvents;
    FakeInputAccess inputAccess;
    FakeLoginItems loginItems;
    TavoReceiverApp app(mainThread, defaults, network, keyEvents, inputAccess, loginItems);
    ASSERT_EQ(app.trayIcon(), nullptr);
    ASSERT_NE(app.panel(), nullptr);
    EXPECT_TRUE(app.panel()->isVisible());

    FakePhone phone(network, mainThread);
    phone.send(TavoScan("123", "ean8", 1.0));
    QTest::mouseClick(app.panel()->findChild<QPushButton*>("csvSegment"), Qt::LeftButton);
    phone.send(TavoScan("4,5", "qr", 2.0));
    EXPECT_EQ(keyEvents.typedText(),
              std::u16string(u"123") + RecordingKeyEvents::returnMark + u"4,5,");
}

}  // namespace
}  // namespace tavo
