#include <gtest/gtest.h>

#include <vector>

#include "platform/wayland/BufferedKeyEvents.h"

namespace tavo {
namespace {

class RecordingRoute final : public BufferedKeyEvents {
  public:
    std::vector<std::vector<TextKey>> texts;

  protected:
    bool isAvailable() const override { return true; }
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

}  // namespace
}  // namespace tavo
