#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "platform/wayland/Pipes.h"

namespace tavo {
namespace {

using std::chrono::milliseconds;

// An application that stops reading a paste, or never writes its clipboard, must neither end
// the process (SIGPIPE) nor hold the typing thread beyond the timeout.
TEST(Pipes, AVanishedOrStalledPeerFailsTheTransferInsteadOfHanging) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    close(ends[0]);
    EXPECT_FALSE(writeAllAndClose(ends[1], "pasted", milliseconds(100)));

    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    EXPECT_EQ(readAll(ends[0], milliseconds(50)), std::nullopt);
    close(ends[0]);
    close(ends[1]);

    // More than a pipe holds, to a reader that takes none of it.
    ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
    EXPECT_FALSE(writeAllAndClose(ends[1], std::string(1 << 20, 'x'), milliseconds(50)));
    close(ends[0]);
}

// A clipboard owner offering more than we keep is not read to its end.
TEST(Pipes, AReadStopsAtItsLimit) {
    for (const std::size_t limit : {std::size_t{6}, std::size_t{5}}) {
        int ends[2];
        ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
        EXPECT_TRUE(writeAllAndClose(ends[1], "pasted", milliseconds(100)));
        const auto data = readAll(ends[0], milliseconds(100), limit);
        EXPECT_EQ(data, limit == 6 ? std::optional<std::string>("pasted") : std::nullopt);
        close(ends[0]);
    }
}

}  // namespace
}  // namespace tavo
