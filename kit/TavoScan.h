#pragma once

#include <string>

#include "kit/Uuid.h"

namespace tavo {

// One barcode read by the phone. The timestamp is seconds since 2001-01-01T00:00:00Z.
struct TavoScan {
    // A new scan with a freshly generated random id.
    TavoScan(std::string value, std::string symbology, double timestamp);
    TavoScan(Uuid id, std::string value, std::string symbology, double timestamp);

    Uuid id;
    std::string value;
    std::string symbology;
    double timestamp;
};

// Text fields compare under canonical equivalence; timestamps compare exactly.
bool operator==(const TavoScan& a, const TavoScan& b);

}  // namespace tavo
