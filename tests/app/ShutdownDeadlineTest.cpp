#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/ShutdownDeadline.h"

namespace tavo {
namespace {

using namespace std::chrono_literals;

// A quit that hangs (a wait nobody cuts) still ends, with the status the application chose.
TEST(ShutdownDeadlineDeathTest, EndsAQuitThatHangsWithItsStatus) {
    EXPECT_EXIT(
        {
            ShutdownDeadline deadline;
            deadline.arm(0, 50ms);
            for (;;) {
                std::this_thread::sleep_for(1s);
            }
        },
        ::testing::ExitedWithCode(0), "quitting without waiting any longer");
}

// An orderly end within the deadline ends nothing.
TEST(ShutdownDeadlineTest, LeavesAnOrderlyEndAlone) {
    {
        ShutdownDeadline deadline;
        deadline.arm(3, 10s);
    }
    SUCCEED();
}

}  // namespace
}  // namespace tavo
