#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "kit/CodingErrors.h"
#include "kit/FrameHeader.h"
#include "kit/TavoFraming.h"

namespace tavo {
namespace {

using ErrorKind = DecodingError::Kind;
using Path = std::vector<std::string>;

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

    auto scan = decodeText(R"( {"extra":[1],)" + scanWith(R"("x":null)").substr(1) + "\n");
    EXPECT_EQ(*scan.scan(), TavoScan(*Uuid::parse("0F3C9A52-7B1E-4D6A-9C84-2E5B7A1D3F60"),
                                     "4006381333931", "EAN-13", 763637213.25));

    auto status = decodeText(R"({"kind":"status","payload":{"outputMode":"csv"}})");
    EXPECT_EQ(status.status()->outputMode, ReceiverOutputMode::csv);
}

TEST(TavoFraming, WritesCompactUtf8WithEscapedSolidus) {
    auto csv = TavoFraming::encode(TavoReceiverStatus{ReceiverOutputMode::csv});
    EXPECT_EQ(csv.size(), 52u);
    EXPECT_EQ(Bytes(csv.begin(), csv.begin() + 4), (Bytes{0, 0, 0, 0x30}));
    auto newline = TavoFraming::encode(TavoReceiverStatus{ReceiverOutputMode::newline});
    EXPECT_EQ(newline.size(), 56u);
    EXPECT_EQ(Bytes(newline.begin(), newline.begin() + 4), (Bytes{0, 0, 0, 0x34}));

    auto written = encodeText(TavoHello{"Lager/Süd \"1\"", 1});
    EXPECT_EQ(
        written,
        R"({"kind":"hello","payload":{"deviceName":"Lager\/Süd \"1\"","protocolVersion":1}})");
    EXPECT_EQ(decodeText(written).hello()->deviceName, "Lager/Süd \"1\"");
}

TEST(TavoFraming, LowerCaseIdIsWrittenBackInUpperCase) {
    auto first = decodeText(scanWith(R"("id":"0f3c9a52-7b1e-4d6a-9c84-2e5b7a1d3f60")"));
    auto written = encodeText(first);
    EXPECT_NE(written.find("0F3C9A52-7B1E-4D6A-9C84-2E5B7A1D3F60"), std::string::npos);
    EXPECT_EQ(*decodeText(written).scan(), *first.scan());
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
        {{0, 0, 0, 0}, 0},
        {{0xFF, 0xFF, 0xFF, 0xFF}, 4294967295},
        {{0, 0, 1}, std::nullopt},
        {{0, 0, 1, 0, 0}, std::nullopt},
    };
    for (const auto& [header, length] : cases) {
        EXPECT_EQ(TavoFraming::decodeLength(header), length) << header.size();
    }
}

struct Failure {
    std::string body;
    ErrorKind kind;
    Path path;
};

TEST(TavoFraming, DecodingFailuresCarryTheirKindAndPath) {
    const Path payload{"payload"};
    const std::vector<Failure> failures{
        {R"({"kind":"hello"})", ErrorKind::keyNotFound, payload},
        {R"({"kind":"scan"})", ErrorKind::keyNotFound, payload},
        {R"({"kind":"status"})", ErrorKind::keyNotFound, payload},
        {R"({"payload":{"outputMode":"csv"}})", ErrorKind::keyNotFound, {"kind"}},
        {R"({"kind":"status","payload":{}})", ErrorKind::keyNotFound, {"payload", "outputMode"}},
        {R"({"kind":"status","payload":null})", ErrorKind::valueNotFound, payload},
        {scanWith(R"("timestamp":null)"), ErrorKind::valueNotFound, {"payload", "timestamp"}},
        {R"({"kind":"hello","payload":{"deviceName":7,"protocolVersion":1}})",
         ErrorKind::typeMismatch,
         {"payload", "deviceName"}},
        {R"({"kind":"hello","payload":{"deviceName":"d","protocolVersion":"1"}})",
         ErrorKind::typeMismatch,
         {"payload", "protocolVersion"}},
        {scanWith(R"("timestamp":"1")"), ErrorKind::typeMismatch, {"payload", "timestamp"}},
        {R"({"kind":"scan","payload":[]})", ErrorKind::typeMismatch, payload},
        {R"([{"kind":"status","payload":{"outputMode":"csv"}}])", ErrorKind::typeMismatch, {}},
        {R"({"kind":"hello","payload":{"deviceName":"d","protocolVersion":1.5}})",
         ErrorKind::dataCorrupted,
         {"payload", "protocolVersion"}},
        {R"({"kind":"hello","payload":{"deviceName":"d","protocolVersion":1.0}})",
         ErrorKind::dataCorrupted,
         {"payload", "protocolVersion"}},
        {R"({"kind":"hello","payload":{"deviceName":"d","protocolVersion":9223372036854775808}})",
         ErrorKind::dataCorrupted,
         {"payload", "protocolVersion"}},
        {R"({"kind":"status","payload":{"outputMode":"CSV"}})",
         ErrorKind::dataCorrupted,
         {"payload", "outputMode"}},
        {R"({"kind":"Scan","payload":)" + scanPayload + "}}", ErrorKind::dataCorrupted, {"kind"}},
        {scanWith(R"("id":"0F3C9A527B1E4D6A9C842E5B7A1D3F60")"),
         ErrorKind::dataCorrupted,
         {"payload", "id"}},
        {scanWith(R"("timestamp":1e400)"), ErrorKind::dataCorrupted, {}},
        {"", ErrorKind::dataCorrupted, {}},
        {R"({"kind":"status","payload":{"outputMode":"csv"}}{})", ErrorKind::dataCorrupted, {}},
        {scanWith("\"note\":\"\xC3\x28\""), ErrorKind::dataCorrupted, {}},
        {scanWith(R"("note":"\uD800")"), ErrorKind::dataCorrupted, {}},
        {std::string("\0\0\0\x30", 4) + R"({"kind":"status","payload":{"outputMode":"csv"}})",
         ErrorKind::dataCorrupted,
         {}},
    };
    for (const auto& failure : failures) {
        try {
            decodeText(failure.body);
            ADD_FAILURE() << "decoded: " << failure.body;
        } catch (const DecodingError& error) {
            EXPECT_EQ(error.kind(), failure.kind) << failure.body;
            EXPECT_EQ(error.codingPath(), failure.path) << failure.body;
        }
    }
}

}  // namespace
}  // namespace tavo
