#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "kit/CodingErrors.h"
#include "kit/FrameHeader.h"
#include "kit/TavoFraming.h"

namespace tavo {
namespace {

const std::string scanPayload = R"({"id":"0F3C9A52-7B1E-4D6A-9C84-2E5B7A1D3F60","value":)"
                                R"("4006381333931","symbology":"EAN-13","timestamp":763637213.25)";

// A scan body with more members after the fields; a repeated member replaces the first.
std::string scanWith(std::string_view members) {
    return R"({"kind":"scan","payload":)" + scanPayload + "," + std::string(members) + "}}";
}

TavoMessage decodeText(std::string_view body) {
    return TavoFraming::decode({reinterpret_cast<const std::uint8_t*>(body.data()), body.size()});
}

std::string encodeText(const TavoMessage& message) {
    auto frame = TavoFraming::encode(message);
    EXPECT_EQ(TavoFraming::decodeLength(ByteView(frame).first(4)), frame.size() - 4);
    return std::string(frame.begin() + TavoFraming::headerLength, frame.end());
}

TEST(TavoFraming, DecodesEachKindIgnoringUnknownMembers) {
    auto hello = decodeText(
        R"({"kind":"hello","payload":{"deviceName":"Stockroom iPhone","protocolVersion":1}})");
    EXPECT_EQ(hello.hello()->deviceName, "Stockroom iPhone");
    EXPECT_EQ(hello.hello()->protocolVersion, 1);

    // A lower-case id is read, and written back in upper case.
    const std::string lowerId = R"("id":"0f3c9a52-7b1e-4d6a-9c84-2e5b7a1d3f60")";
    auto scan = decodeText(R"( {"extra":[1],)" + scanWith(lowerId).substr(1) + "\n");
    EXPECT_EQ(*scan.scan(), TavoScan(*Uuid::parse("0F3C9A52-7B1E-4D6A-9C84-2E5B7A1D3F60"),
                                     "4006381333931", "EAN-13", 763637213.25));
    EXPECT_EQ(encodeText(scan), R"({"kind":"scan","payload":)" + scanPayload + "}}");

    auto status = decodeText(R"({"kind":"status","payload":{"outputMode":"csv"}})");
    EXPECT_EQ(status.status()->outputMode, ReceiverOutputMode::csv);
}

TEST(TavoFraming, WritesCompactUtf8WithEscapedSolidus) {
    const std::string status = R"({"kind":"status","payload":{"outputMode":"csv"}})";
    const Bytes frame = TavoFraming::encode(TavoReceiverStatus{ReceiverOutputMode::csv});
    EXPECT_EQ(std::string(frame.begin(), frame.end()), std::string("\0\0\0\x30", 4) + status);

    auto written = encodeText(TavoHello{"Lager/Süd \"1\"", 1});
    EXPECT_EQ(
        written,
        R"({"kind":"hello","payload":{"deviceName":"Lager\/Süd \"1\"","protocolVersion":1}})");
    EXPECT_EQ(decodeText(written).hello()->deviceName, "Lager/Süd \"1\"");
}

TEST(TavoFraming, TimestampsReadBackToTheSameDouble) {
    for (double t :
         {0.0, -978307200.0, 763637213.0, 0.1, 1.0 / 3, -1e-300,
          std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max()}) {
        EXPECT_EQ(decodeText(encodeText(TavoScan("v", "s", t))).scan()->timestamp, t) << t;
    }
    for (auto written : {"763637213", "7.63637213e8", "763637213.000"}) {
        auto scan = decodeText(scanWith(std::string(R"("timestamp":)") + written));
        EXPECT_EQ(scan.scan()->timestamp, 763637213.0) << written;
    }
}

TEST(TavoFraming, RefusesToWriteWhatJsonCannotHold) {
    for (double t : {std::nan(""), std::numeric_limits<double>::infinity(),
                     -std::numeric_limits<double>::infinity()}) {
        EXPECT_THROW(TavoFraming::encode(TavoScan("v", "s", t)), EncodingError);
    }
    EXPECT_THROW(TavoFraming::encode(TavoScan("\xC3", "s", 0)), EncodingError);
    EXPECT_THROW(TavoFraming::encode(TavoHello{"\xED\xA0\x80", 1}), EncodingError);
    EXPECT_EQ(TavoFraming::encodeLength(0xFFFFFFFFu),
              (TavoFraming::Header{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(TavoFraming::encodeLength(0x100000000u), std::nullopt);
}

TEST(TavoFraming, HeadersAreExactlyFourBigEndianBytes) {
    const std::vector<std::pair<Bytes, std::optional<std::uint32_t>>> cases{
        {{0, 0, 1, 0}, 256},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 4294967295},
        {{0, 0, 1}, std::nullopt},
        {{0, 0, 1, 0, 0}, std::nullopt},
    };
    for (const auto& [header, length] : cases) {
        EXPECT_EQ(TavoFraming::decodeLength(header), length) << header.size();
    }
}

TEST(TavoFraming, DecodingFailuresCarryTheirKindAndPath) {
    using enum DecodingError::Kind;
    const std::string hello = R"({"kind":"hello","payload":{"deviceName":"d","protocolVersion":)";
    const std::string status = R"({"kind":"status","payload":)";
    using Failure = std::tuple<std::string, DecodingError::Kind, std::vector<std::string>>;
    const std::vector<Failure> failures{
        {R"({"kind":"hello"})", keyNotFound, {"payload"}},
        {R"({"kind":"scan"})", keyNotFound, {"payload"}},
        {R"({"kind":"status"})", keyNotFound, {"payload"}},
        {R"({"payload":{"outputMode":"csv"}})", keyNotFound, {"kind"}},
        {status + "{}}", keyNotFound, {"payload", "outputMode"}},
        {status + "null}", valueNotFound, {"payload"}},
        {scanWith(R"("value":7)"), typeMismatch, {"payload", "value"}},
        {scanWith(R"("timestamp":"1")"), typeMismatch, {"payload", "timestamp"}},
        {"[" + status + R"({"outputMode":"csv"}}])", typeMismatch, {}},
        {hello + "1.5}}", dataCorrupted, {"payload", "protocolVersion"}},
        {hello + "1.0}}", dataCorrupted, {"payload", "protocolVersion"}},
        {hello + R"("1"}})", typeMismatch, {"payload", "protocolVersion"}},
        {hello + "9223372036854775808}}", dataCorrupted, {"payload", "protocolVersion"}},
        {status + R"({"outputMode":"CSV"}})", dataCorrupted, {"payload", "outputMode"}},
        {R"({"kind":"Scan","payload":{}})", dataCorrupted, {"kind"}},
        {scanWith(R"("id":"0F3C9A527B1E4D6A9C842E5B7A1D3F60")"), dataCorrupted, {"payload", "id"}},
        {scanWith(R"("timestamp":1e400)"), dataCorrupted, {}},
        {"", dataCorrupted, {}},
        {std::string("\0\0\0\x30", 4) + status + R"({"outputMode":"csv"}})", dataCorrupted, {}},
        {status + R"({"outputMode":"csv"}}{})", dataCorrupted, {}},
        {scanWith("\"note\":\"\xC3\x28\""), dataCorrupted, {}},
        {scanWith(R"("note":"\uD800")"), dataCorrupted, {}},
    };
    for (const auto& [body, kind, path] : failures) {
        try {
            decodeText(body);
            ADD_FAILURE() << "decoded: " << body;
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), kind) << body;
            EXPECT_EQ(error.codingPath(), path) << body;
        }
    }
}

}  // namespace
}  // namespace tavo
