#include <gtest/gtest.h>

#include "kit/TavoScan.h"

namespace tavo {
namespace {

const Uuid someId = *Uuid::parse("0f3c9a52-7b1e-4d6a-9c84-2e5b7a1d3f60");

TEST(TavoScan, TextComparesUnderCanonicalEquivalence) {
    const TavoScan composed(someId, "Caf\u00E9 \u00C5 a\u0323\u0307", "QR", 1);
    EXPECT_EQ(composed, TavoScan(someId, "Cafe\u0301 \u212B a\u0307\u0323", "QR", 1));

    for (const auto& other : {
             TavoScan("Caf\u00E9 \u00C5 a\u0323\u0307", "QR", 1),
             TavoScan(someId, "Cafe \u00C5 a\u0323\u0307", "QR", 1),
             TavoScan(someId, "Caf\u00E9 \u00C5 a\u0323\u0307", "qr", 1),
             TavoScan(someId, "Caf\u00E9 \u00C5 a\u0323\u0307", "QR", 1.0000000000000002),
         }) {
        EXPECT_FALSE(composed == other) << other.value << " " << other.symbology;
    }
    // Compatibility forms are not canonical ones; bytes that are not UTF-8 only equal themselves.
    EXPECT_FALSE(TavoScan(someId, "\uFB01", "QR", 1) == TavoScan(someId, "fi", "QR", 1));
    EXPECT_FALSE(TavoScan(someId, "\xFF", "QR", 1) == TavoScan(someId, "\xFE", "QR", 1));
}

TEST(TavoScan, NewScansGetRandomVersionFourIds) {
    auto text = TavoScan("v", "s", 0).id.string();
    EXPECT_EQ(text[14], '4');
    EXPECT_NE(std::string("89AB").find(text[19]), std::string::npos);
    EXPECT_EQ(Uuid::parse(text)->string(), text);
    EXPECT_NE(Uuid::random(), Uuid::random());
    EXPECT_EQ(Uuid::parse("{0F3C9A52-7B1E-4D6A-9C84-2E5B7A1D3F6}"), std::nullopt);
}

}  // namespace
}  // namespace tavo
