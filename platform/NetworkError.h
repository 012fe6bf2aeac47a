#pragma once

#include <string>

namespace tavo {

// A failure of the network platform; only its description is ever used.
struct NetworkError {
    std::string localizedDescription;
};

}  // namespace tavo
