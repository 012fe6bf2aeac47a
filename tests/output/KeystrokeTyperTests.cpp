#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

const RecordedKeyEvent returnDown{returnKeyCode, true, std::nullopt};
const RecordedKeyEvent returnUp{returnKeyCode, false, std::nullopt};

TEST(KeystrokeTyper, TypesAKeyPairPerCharacterThenReturnWhenAsked) {
    RecordingKeyEvents events;
    KeystrokeTyper typer(events);
    typer.type("", false);
    EXPECT_TRUE(events.posted.empty());
    typer.type("a", true);
    EXPECT_EQ(events.posted, (std::vector<RecordedKeyEvent>{{characterKeyCode, true, u"a"},
                                                            {characterKeyCode, false, u"a"},
                                                            returnDown,
                                                            returnUp}));
}

// One pair per Unicode scalar, with its UTF-16 units; ill-formed UTF-8 gives one U+FFFD per
// maximal ill-formed subsequence.
TEST(KeystrokeTyper, TypesEachUnicodeScalarAsOnePair) {
    const std::vector<std::tuple<std::string, std::u16string, std::size_t>> cases{
        {"\U0001F600e\u0301\n,", u"\U0001F600e\u0301\n,", 5},
        {"\xE2\x82\xAC\xF4\x8F\xBF\xBF", u"\u20AC\U0010FFFF", 2},  // well-formed edges
        {"a\xFF z", u"a\uFFFD z", 4},
        {"\xE2\x82", u"\uFFFD", 1},                  // truncated at the end
        {"\xE2\x82z", u"\uFFFDz", 2},                // truncated before a character
        {"\xC0\xAF", u"\uFFFD\uFFFD", 2},            // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", 3},  // a surrogate
    };
    for (const auto& [text, typed, pairs] : cases) {
        RecordingKeyEvents events;
        KeystrokeTyper(events).type(text, false);
        EXPECT_EQ(events.typedText(), typed) << text;
        EXPECT_EQ(events.posted.size(), 2 * pairs) << text;
    }
}

TEST(KeystrokeTyper, SkipsWhatCannotBeCreatedButNeverLeavesReturnDown) {
    RecordingKeyEvents events;
    events.failSource = true;
    KeystrokeTyper(events).type("abc", true);
    EXPECT_TRUE(events.posted.empty());

    // Creations count from 0: a down, a up, b down, b up... A failed key-down or key-up skips the
    // scalar; a failed Return key-down leaves the key-up, so that Return is never left pressed.
    for (const auto& failing : {std::set<std::size_t>{2, 5}, std::set<std::size_t>{3, 6}}) {
        RecordingKeyEvents failures;
        failures.failedCreations = failing;
        KeystrokeTyper(failures).type("abc", true);
        EXPECT_EQ(failures.typedText(), u"ac");
        EXPECT_EQ(failures.posted.size(), 5u);
        EXPECT_EQ(failures.posted.back(), returnUp);
    }
}

}  // namespace
}  // namespace tavo
