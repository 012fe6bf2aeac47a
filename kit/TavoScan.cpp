#include "kit/TavoScan.h"

#include <utf8proc.h>

#include <cstdlib>
#include <memory>
#include <optional>

namespace tavo {

namespace {

// The canonical decomposition (NFD) of the text, or nothing when the text is not valid UTF-8.
std::optional<std::string> canonicalDecomposition(const std::string& text) {
    utf8proc_uint8_t* result = nullptr;
    auto length =
        utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()),
                     static_cast<utf8proc_ssize_t>(text.size()), &result,
                     static_cast<utf8proc_option_t>(UTF8PROC_STABLE | UTF8PROC_DECOMPOSE));
    std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(result, &std::free);
    if (length < 0) {
        return std::nullopt;
    }
    return std::string(reinterpret_cast<const char*>(result), static_cast<std::size_t>(length));
}

bool canonicallyEquivalent(const std::string& a, const std::string& b) {
    if (a == b) {
        return true;
    }
    // Text that is not UTF-8 has no canonical form; it was already found unequal byte by byte.
    auto normalA = canonicalDecomposition(a);
    auto normalB = canonicalDecomposition(b);
    return normalA && normalB && *normalA == *normalB;
}

}  // namespace

TavoScan::TavoScan(std::string value, std::string symbology, double timestamp)
    : TavoScan(Uuid::random(), std::move(value), std::move(symbology), timestamp) {}

TavoScan::TavoScan(Uuid id, std::string value, std::string symbology, double timestamp)
    : id(id), value(std::move(value)), symbology(std::move(symbology)), timestamp(timestamp) {}

bool operator==(const TavoScan& a, const TavoScan& b) {
    return a.id == b.id && canonicallyEquivalent(a.value, b.value) &&
           canonicallyEquivalent(a.symbology, b.symbology) && a.timestamp == b.timestamp;
}

}  // namespace tavo
