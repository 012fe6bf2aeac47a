#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "output/KeystrokeTyper.h"
#include "platform/wayland/BufferedKeyEvents.h"

namespace tavo {
namespace {

class RecordingRoute final : public BufferedKeyEvents {
  public:
    bool available = true;
    std::vector<std::vector<TextKey>> texts;

  protected:
    bool isAvailable() const override { return available; }
    std::size_t deliver(std::span<const TextKey> keys) override {
        texts.emplace_back(keys.begin(), keys.end());
        return 0;
    }
};

TextKey down(char32_t character) {
    return {.character = character, .isReturn = false};
}
TextKey up(char32_t character) {
    return {.character = character, .isReturn = false, .down = false};
}
const TextKey returnDown{.character = 0, .isReturn = true, .down = true};
const TextKey returnUp{.character = 0, .isReturn = true, .down = false};

TEST(BufferedKeyEvents, HandsOverEachTextWholeWhenItsSourceEnds) {
    RecordingRoute route;
    KeystrokeTyper typer(route);
    typer.type("a\U0001F600", true);
    typer.type("\n", false);
    ASSERT_EQ(route.texts.size(), 2U);
    EXPECT_EQ(route.texts[0], (std::vector<TextKey>{down('a'), up('a'), down(0x1F600), up(0x1F600),
                                                    returnDown, returnUp}));
    EXPECT_EQ(route.texts[1], (std::vector<TextKey>{down('\n'), up('\n')}));
}

// Strings of several scalars, lone surrogates and keys without a string, posted directly.
TEST(BufferedKeyEvents, DecodesEveryScalarOfAnEventAndDropsLoneSurrogates) {
    RecordingRoute route;
    {
        auto source = route.createSource();
        const auto post = [&](VirtualKeyCode key, bool keyDown, std::u16string units) {
            auto event = route.createKeyboardEvent(*source, key, keyDown);
            if (!units.empty()) {
                route.setUnicodeString(*event, units);
            }
            route.post(*event);
        };
        post(characterKeyCode, true, u"xy");
        post(characterKeyCode, false, u"xy");
        post(characterKeyCode, true, std::u16string{char16_t{0xD800}, u'z'});
        post(characterKeyCode, false, std::u16string{char16_t{0xD800}, u'z'});
        post(characterKeyCode, true, u"");  // no string: nothing to type
    }
    ASSERT_EQ(route.texts.size(), 1U);
    EXPECT_EQ(route.texts[0],
              (std::vector<TextKey>{down('x'), up('x'), down('y'), up('y'), down('z'), up('z')}));
}

TEST(BufferedKeyEvents, RefusesSourcesWhileTheRouteIsUnavailable) {
    RecordingRoute route;
    route.available = false;
    EXPECT_EQ(route.createSource(), nullptr);
}

}  // namespace
}  // namespace tavo
