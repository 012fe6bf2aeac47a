#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "tests/support/RecordingKeyEvents.h"

namespace tavo {
namespace {

RecordedKeyEvent down(std::u16string units) {
    return {characterKeyCode, true, std::move(units)};
}
RecordedKeyEvent up(std::u16string units) {
    return {characterKeyCode, false, std::move(units)};
}
const RecordedKeyEvent returnDown{returnKeyCode, true, std::nullopt};
const RecordedKeyEvent returnUp{returnKeyCode, false, std::nullopt};

class KeystrokeTyperTest : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_EQ(keyEvents.liveSources(), 0);
        EXPECT_EQ(keyEvents.liveEvents(), 0);
    }

    RecordingKeyEvents keyEvents;
    KeystrokeTyper typer{keyEvents};
};

TEST_F(KeystrokeTyperTest, TypesOnePairPerCharacterThenReturnWhenAsked) {
    typer.type("abc", false);
    const std::vector<RecordedKeyEvent> abc{down(u"a"), up(u"a"),   down(u"b"),
                                            up(u"b"),   down(u"c"), up(u"c")};
    EXPECT_EQ(keyEvents.posted(), abc);

    RecordingKeyEvents withReturn;
    KeystrokeTyper(withReturn).type("abc", true);
    auto expected = abc;
    expected.push_back(returnDown);
    expected.push_back(returnUp);
    EXPECT_EQ(withReturn.posted(), expected);
}

TEST_F(KeystrokeTyperTest, EmptyTextTypesOnlyReturnIfAsked) {
    typer.type("", false);
    EXPECT_TRUE(keyEvents.posted().empty());
    EXPECT_EQ(keyEvents.sourceRequests(), 1u);
    typer.type("", true);
    EXPECT_EQ(keyEvents.posted(), (std::vector<RecordedKeyEvent>{returnDown, returnUp}));
}

TEST_F(KeystrokeTyperTest, TheUnitIsTheUnicodeScalar) {
    typer.type("\U0001F600e\u0301\n,", false);
    EXPECT_EQ(keyEvents.posted(),
              (std::vector<RecordedKeyEvent>{down(u"\xD83D\xDE00"), up(u"\xD83D\xDE00"), down(u"e"),
                                             up(u"e"), down(u"\u0301"), up(u"\u0301"), down(u"\n"),
                                             up(u"\n"), down(u","), up(u",")}));
}

TEST_F(KeystrokeTyperTest, WithoutASourceNothingIsTyped) {
    keyEvents.failSource = true;
    typer.type("abc", true);
    EXPECT_TRUE(keyEvents.posted().empty());
    EXPECT_EQ(keyEvents.creations(), 0u);
}

TEST_F(KeystrokeTyperTest, AScalarWhoseEventCannotBeCreatedIsSkipped) {
    // Creations: a down 0, a up 1, b down 2, b up 3, c down 4, c up 5, Return 6 and 7.
    for (const std::size_t failing : {2u, 3u}) {
        RecordingKeyEvents events;
        events.failedCreations = {failing};
        KeystrokeTyper(events).type("abc", false);
        EXPECT_EQ(events.typedText(), u"ac") << failing;
        EXPECT_EQ(events.posted().size(), 4u);
        EXPECT_EQ(events.liveEvents(), 0);
    }
}

TEST_F(KeystrokeTyperTest, ReturnKeyUpIsPostedEvenWithoutItsKeyDown) {
    keyEvents.failedCreations = {2};
    typer.type("a", true);
    EXPECT_EQ(keyEvents.posted(), (std::vector<RecordedKeyEvent>{down(u"a"), up(u"a"), returnUp}));
}

TEST_F(KeystrokeTyperTest, IllFormedUtf8IsTypedAsOneReplacementPerMaximalSubpart) {
    struct Case {
        std::string text;
        std::u16string typed;
        std::size_t pairs;
    };
    const std::vector<Case> cases{
        {"a\xFF"
         "b",
         u"a\uFFFDb", 3},
        {"\xE2\x82", u"\uFFFD", 1},  // truncated at the end
        {"\xE2\x82"
         "a",
         u"\uFFFDa", 2},                                           // truncated before a character
        {"\xC0\xAF", u"\uFFFD\uFFFD", 2},                          // overlong
        {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD", 3},                // a surrogate
        {"\xE2\x82\xAC\xF4\x8F\xBF\xBF", u"\u20AC\U0010FFFF", 2},  // well-formed edges
    };
    for (const auto& c : cases) {
        RecordingKeyEvents events;
        KeystrokeTyper(events).type(c.text, false);
        EXPECT_EQ(events.typedText(), c.typed);
        EXPECT_EQ(events.posted().size(), 2 * c.pairs);
    }
}

}  // namespace
}  // namespace tavo
