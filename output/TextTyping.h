#pragma once

#include <string_view>

namespace tavo {

// Something that types a text into the focused application, then Return when asked.
class TextTyping {
  public:
    virtual ~TextTyping() = default;
    virtual void type(std::string_view text, bool pressReturn) = 0;
};

}  // namespace tavo
