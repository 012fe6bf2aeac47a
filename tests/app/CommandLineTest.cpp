#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TavoVersion.h"
#include "app/CommandLine.h"

namespace tavo {
namespace {

TEST(CommandLineTest, RunsVerboseOrEndsAtOnceWithTheStatusAndTextOfEachRequest) {
    const std::string versionLine = std::string("tavo-receiver ") + version + "\n";
    const struct {
        std::vector<const char*> arguments;
        bool verbose;
        std::optional<int> exitStatus;
        std::string messageStart;
    } cases[] = {
        {{}, false, std::nullopt, ""},
        {{"--verbose"}, true, std::nullopt, ""},
        {{"--help"}, false, 0, "Usage: tavo-receiver"},
        {{"-v", "-h"}, true, 0, "Usage: tavo-receiver"},
        {{"--version"}, false, 0, versionLine},
        {{"-V"}, false, 0, versionLine},
        {{"--verbos"}, false, 2, "tavo-receiver: unknown option '--verbos'\nUsage: "},
        {{"-platform", "xcb"}, false, 2, "tavo-receiver: unknown option '-platform'\nUsage: "},
        {{"scan"}, false, 2, "tavo-receiver: unexpected argument 'scan'\nUsage: "},
    };
    for (auto test : cases) {
        test.arguments.insert(test.arguments.begin(), "tavo-receiver");
        const CommandLine commandLine =
            parseCommandLine(static_cast<int>(test.arguments.size()), test.arguments.data());
        EXPECT_EQ(commandLine.verbose, test.verbose) << test.arguments.size();
        EXPECT_EQ(commandLine.exitStatus, test.exitStatus) << commandLine.message;
        EXPECT_TRUE(commandLine.message.starts_with(test.messageStart)) << commandLine.message;
    }
}

}  // namespace
}  // namespace tavo
