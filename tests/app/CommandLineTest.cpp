#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TavoVersion.h"
#include "app/CommandLine.h"

namespace tavo {
namespace {

CommandLine parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "tavo-receiver");
    return parseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLineTest, RunsOnlyWithNoOptionsOrVerbose) {
    EXPECT_FALSE(parse({}).exitStatus);
    EXPECT_FALSE(parse({}).verbose);
    for (const char* verbose : {"--verbose", "-v"}) {
        const CommandLine commandLine = parse({verbose});
        EXPECT_FALSE(commandLine.exitStatus);
        EXPECT_TRUE(commandLine.verbose);
    }
}

TEST(CommandLineTest, EndsAtOnceWithTheStatusAndTextOfEachRequest) {
    const struct {
        std::vector<const char*> arguments;
        int status;
        std::string messageStart;
    } cases[] = {
        {{"--help"}, 0, "Usage: tavo-receiver"},
        {{"-v", "-h"}, 0, "Usage: tavo-receiver"},
        {{"--version"}, 0, std::string("tavo-receiver ") + version + "\n"},
        {{"-V"}, 0, std::string("tavo-receiver ") + version + "\n"},
        {{"--verbos"}, 2, "tavo-receiver: unknown option '--verbos'\nUsage: "},
        {{"-platform", "xcb"}, 2, "tavo-receiver: unknown option '-platform'\nUsage: "},
        {{"scan"}, 2, "tavo-receiver: unexpected argument 'scan'\nUsage: "},
    };
    for (const auto& test : cases) {
        const CommandLine commandLine = parse(test.arguments);
        EXPECT_EQ(commandLine.exitStatus, test.status) << test.arguments.front();
        EXPECT_TRUE(commandLine.message.starts_with(test.messageStart)) << commandLine.message;
    }
}

}  // namespace
}  // namespace tavo
