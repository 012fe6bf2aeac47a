#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TavoVersion.h"
#include "app/CommandLine.h"
#include "app/Translation.h"

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

// The catalogue is found before Qt's application object exists: the first language of the
// session's list that has one, unless English comes first.
TEST(CommandLineTest, SpeaksTheFirstOfTheSessionsLanguagesThatHasACatalogue) {
    EXPECT_EQ(Translation({"zh-TW", "pt-BR", "de-DE"}).language(), "pt_BR");
    EXPECT_EQ(Translation({"de-AT"}).language(), "de");
    EXPECT_EQ(Translation({"en-GB", "de-DE"}).language(), "");
    EXPECT_EQ(Translation({"C"}).language(), "");
    EXPECT_EQ(Translation({"pt-PT"}).language(), "");

    const Translation german({"de-DE"});
    const std::vector<const char*> help{"tavo-receiver", "--help"};
    EXPECT_TRUE(parseCommandLine(2, help.data(), &german)
                    .message.starts_with("Aufruf: tavo-receiver [--verbose]"));
    const std::vector<const char*> wrong{"tavo-receiver", "--verbos"};
    EXPECT_EQ(parseCommandLine(2, wrong.data(), &german).message,
              "tavo-receiver: unbekannte Option \u201e--verbos\u201c\nAufruf: tavo-receiver "
              "[--verbose] [--help] [--version]\n\u201etavo-receiver --help\u201c gibt weitere "
              "Informationen.\n");
}

}  // namespace
}  // namespace tavo
