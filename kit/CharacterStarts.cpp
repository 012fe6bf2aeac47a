#include "kit/CharacterStarts.h"

#include <utf8proc.h>

namespace tavo {

bool CharacterStarts::next(char32_t scalar) {
    const bool starts = previous_ == 0 || utf8proc_grapheme_break_stateful(
                                              static_cast<utf8proc_int32_t>(previous_),
                                              static_cast<utf8proc_int32_t>(scalar), &state_);
    previous_ = scalar;
    return starts;
}

}  // namespace tavo
