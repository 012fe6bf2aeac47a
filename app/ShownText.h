#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavo {

// Text from the network as it may be shown: line breaks and other control characters become
// spaces, bidirectional formatting characters and ill-formed UTF-8 become U+FFFD, so that the
// text can neither break a line nor reorder what is shown around it.
std::string shownText(std::string_view text);

// A device name as shown: as shownText, cut to maximumNameLength characters with an ellipsis.
inline constexpr std::size_t maximumNameLength = 40;
std::string shownName(std::string_view name);

// For notification servers that read markup: the characters that start markup or an entity are
// replaced by look-alikes that do not.
std::string withoutMarkup(std::string_view text);

}  // namespace tavo
