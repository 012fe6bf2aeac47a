#include "tests/app/ReceiverDesktopTest.h"

namespace tavo::testing {
namespace {

using AppEndToEndTest = ReceiverDesktopTest;

TEST_F(AppEndToEndTest, TypesScansFollowsThePhoneAndTellsItTheModeChosenInThePanel) {
    startReceiver();
    const QImage waitingIcon = iconImage();

    // Newline mode; the icon shows the phone while it is connected. The panel opens from the
    // icon; choosing CSV tells the connected phone.
    auto phone = startPhone({"X1"}, "10");
    EXPECT_EQ(nextStatus(*phone), "newline");
    EXPECT_TRUE(waitUntil([&] { return iconImage() != waitingIcon; }));
    openPanel();
    clickControl("csvSegment");
    EXPECT_EQ(nextStatus(*phone), "csv");

    // Scans typed while the panel is open, after clicks on it, still reach the focused sink. The
    // second phone replaces the first, which learns that its connection ended.
    auto csvPhone = startPhone({"111", "2,2"});
    EXPECT_EQ(nextStatus(*csvPhone), "csv");
    const std::string typed = "X1<Return>111,2,2,";
    EXPECT_TRUE(waitUntil([&] { return sink_.received() == typed; })) << sink_.received();
    EXPECT_EQ(csvPhone->stop(false), 0);
    EXPECT_EQ(phone->stop(false), 1);
    EXPECT_TRUE(waitUntil([&] { return iconImage() == waitingIcon; }));
    screenshot(fs::path(TAVO_E2E_ARTIFACT_DIR) / "tavo-receiver-panel.png");

    // A click elsewhere closes the panel.
    click(panelGeometry()["panel"].bottomLeft() + QPoint(-100, 100));
    EXPECT_TRUE(waitUntil([&] { return windows("--classname", "tavo-receiver").size() == 1; }));
}

}  // namespace
}  // namespace tavo::testing
