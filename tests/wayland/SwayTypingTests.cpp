#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/TypedTexts.h"
#include "tests/support/wayland/OnCompositor.h"

namespace tavo {
namespace {

using testing::expectedOf;
using testing::Text;

// More distinct characters than one keymap can hold.
const std::vector<Text> mixedTexts = testing::mixedTexts(300);

class OnSway : public testing::TypingOnCompositor {
  protected:
    testing::CompositorKind kind() const override { return testing::swayCompositor(); }
};

// X11 programs get the keys through Xwayland, which takes up each new keymap.
class OnSwayWithXwayland : public OnSway {
  protected:
    testing::CompositorKind kind() const override { return testing::swayWithXwaylandCompositor(); }
    std::unique_ptr<testing::TextSink> openSink() override {
        return testing::openXwaylandTextSink(compositor_->awaitFile("x-display"), true);
    }
};

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
