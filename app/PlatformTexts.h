#pragma once

#include <QString>
#include <string>

namespace tavo {

// The typing route and the access advice come from platform/, in English: each sentence of them
// that is known here is put into the language of the installed translator, anything else is
// shown as it came.
QString translatedPlatformText(const std::string& english);

}  // namespace tavo
