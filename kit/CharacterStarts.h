#pragma once

#include <cstdint>

namespace tavo {

// Tells, scalar by scalar, where each character as the user sees it begins (a grapheme cluster:
// a letter with its combining accents, the two halves of a flag), so that typing is cut only
// between characters.
class CharacterStarts {
  public:
    // Whether `scalar`, the next of the text, begins a character; the first always does.
    bool next(char32_t scalar);
    // What follows begins anew (after a Return).
    void restart() { *this = {}; }

  private:
    char32_t previous_ = 0;
    std::int32_t state_ = 0;
};

}  // namespace tavo
