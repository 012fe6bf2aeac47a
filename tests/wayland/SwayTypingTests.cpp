#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "platform/wayland/WaylandTyping.h"
#include "tests/support/TypedTexts.h"
#include "tests/support/wayland/OnCompositor.h"
#include "tests/support/wayland/WaylandTextSink.h"

namespace tavo {
namespace {

using testing::openWaylandTextSink;

using testing::expectedOf;
using testing::Text;

// More distinct characters than one keymap can hold.
std::string manyCjkCharacters(int count) {
    std::string text;
    for (char32_t c = 0x4E00; c < 0x4E00 + static_cast<char32_t>(count); ++c) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
    return text;
}

class OnSway : public testing::OnCompositor {
  protected:
    testing::CompositorKind kind() const override { return testing::swayCompositor(); }

    // The route comes first: the seat has no keyboard before its virtual keyboard.
    void SetUp() override {
        OnCompositor::SetUp();
        if (IsSkipped()) {
            return;
        }
        route_ = probeWaylandTyping();
        ASSERT_NE(route_.keyEvents, nullptr) << compositor_->log();
        sink_ = openSink();
    }

    virtual std::unique_ptr<testing::TextSink> openSink() {
        return openWaylandTextSink(*compositor_, true);
    }

    void typeAll(const std::vector<Text>& texts) {
        KeystrokeTyper typer(*route_.keyEvents);
        for (const auto& [text, pressReturn] : texts) {
            typer.type(text, pressReturn);
        }
    }

    TypingRoute route_;
    std::unique_ptr<testing::TextSink> sink_;
};

// X11 programs get the keys through Xwayland, which takes up each new keymap.
class OnSwayWithXwayland : public OnSway {
  protected:
    testing::CompositorKind kind() const override { return testing::swayWithXwaylandCompositor(); }
    std::unique_ptr<testing::TextSink> openSink() override {
        return testing::openXwaylandTextSink(compositor_->awaitFile("x-display"), true);
    }
};

const std::vector<Text> mixedTexts{{"4006381333931", true},
                                   {"Gr\u00fc\u00dfe \u20ac", true},
                                   {"\U0001F600e\u0301", false},
                                   {"ABC-123 abc/xyz \u043f\u0440\u0438\u0432\u0435\u0442", true},
                                   {manyCjkCharacters(300), true},
                                   {"\u00fc\u20ac4006381333931", true},
                                   {"a\tb\nc", true}};

TEST_F(OnSway, ProbingChoosesTheVirtualKeyboardThatTypesEveryCharacterExactly) {
    EXPECT_EQ(route_.description, "Typing through the compositor's virtual keyboard");
    EXPECT_FALSE(route_.pastesMissingCharacters);
    typeAll(mixedTexts);
    const std::string expected = expectedOf(mixedTexts);
    EXPECT_EQ(sink_->waitForBytes(expected.size()).text, expected);
}

TEST_F(OnSwayWithXwayland, TypesEveryCharacterIntoX11WindowsToo) {
    // The X window takes the X focus itself, before the compositor gives it the keyboard.
    std::string typedBefore;
    while (typedBefore.empty()) {
        typeAll({{".", false}});
        typedBefore = sink_->waitForBytes(1, std::chrono::milliseconds(100)).text;
    }
    typeAll(mixedTexts);
    const std::string expected = typedBefore + expectedOf(mixedTexts);
    EXPECT_EQ(sink_->waitForBytes(expected.size()).text, expected);
}

}  // namespace
}  // namespace tavo
