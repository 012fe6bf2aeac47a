#include "kit/MessageJson.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "kit/CodingErrors.h"

namespace tavo::MessageJson {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;
using ErrorKind = DecodingError::Kind;

ordered_json payloadJson(const TavoHello& hello) {
    return {{"deviceName", hello.deviceName}, {"protocolVersion", hello.protocolVersion}};
}

ordered_json payloadJson(const TavoScan& scan) {
    // nlohmann would write a non-finite number as null; refuse instead of losing the instant.
    if (!std::isfinite(scan.timestamp)) {
        throw EncodingError("a scan timestamp must be a finite number");
    }
    return {{"id", scan.id.string()},
            {"value", scan.value},
            {"symbology", scan.symbology},
            {"timestamp", scan.timestamp}};
}

ordered_json payloadJson(const TavoReceiverStatus& status) {
    return {{"outputMode", rawValue(status.outputMode)}};
}

// In compact output a solidus can only stand inside a string, so escaping every one is safe.
std::string escapeSolidus(std::string text) {
    if (text.find('/') == std::string::npos) {
        return text;
    }
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (char c : text) {
        if (c == '/') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped;
}

// One value of the document being read, with the member names that lead to it; the path is only
// built when reading fails.
class Value {
  public:
    explicit Value(const json& value) : value_(value) {}

    Value member(std::string_view key) const {
        if (!value_.is_object()) {
            fail(ErrorKind::typeMismatch, "expected an object");
        }
        auto found = value_.find(key);
        if (found == value_.end()) {
            Value(value_, this, key).fail(ErrorKind::keyNotFound, "missing member");
        }
        Value child(*found, this, key);
        if (found->is_null()) {
            child.fail(ErrorKind::valueNotFound, "null where a value is required");
        }
        return child;
    }

    const std::string& string() const {
        if (!value_.is_string()) {
            fail(ErrorKind::typeMismatch, "expected a string");
        }
        return value_.get_ref<const std::string&>();
    }

    double number() const {
        if (!value_.is_number()) {
            fail(ErrorKind::typeMismatch, "expected a number");
        }
        return value_.get<double>();
    }

    // Only a JSON integer: senders write plain integers, so 1.0 and 1e0 are refused like 1.5.
    std::int64_t integer() const {
        if (value_.is_number_integer()) {
            if (value_.is_number_unsigned() &&
                value_.get<std::uint64_t>() >
                    static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
                fail(ErrorKind::dataCorrupted, "integer out of range");
            }
            return value_.get<std::int64_t>();
        }
        if (value_.is_number_float()) {
            fail(ErrorKind::dataCorrupted, "expected an integer");
        }
        fail(ErrorKind::typeMismatch, "expected a number");
    }

    template <class Result>
    Result oneOf(std::optional<Result> (*fromRawValue)(std::string_view)) const {
        auto result = fromRawValue(string());
        if (!result) {
            fail(ErrorKind::dataCorrupted, "unknown value \"" + string() + "\"");
        }
        return *result;
    }

    Uuid uuid() const {
        auto id = Uuid::parse(string());
        if (!id) {
            fail(ErrorKind::dataCorrupted, "not a UUID: \"" + string() + "\"");
        }
        return *id;
    }

    [[noreturn]] void fail(ErrorKind kind, const std::string& description) const {
        std::vector<std::string> path;
        for (auto* v = this; v->parent_ != nullptr; v = v->parent_) {
            path.emplace(path.begin(), v->key_);
        }
        throw DecodingError(kind, std::move(path), description);
    }

  private:
    Value(const json& value, const Value* parent, std::string_view key)
        : value_(value), parent_(parent), key_(key) {}

    const json& value_;
    const Value* parent_ = nullptr;
    std::string_view key_;
};

TavoMessage decodePayload(TavoMessage::Kind kind, const Value& payload) {
    switch (kind) {
        case TavoMessage::Kind::hello:
            return TavoHello{payload.member("deviceName").string(),
                             payload.member("protocolVersion").integer()};
        case TavoMessage::Kind::scan:
            // Braces keep the members read, and their failures reported, in declaration order.
            return TavoScan{payload.member("id").uuid(), payload.member("value").string(),
                            payload.member("symbology").string(),
                            payload.member("timestamp").number()};
        case TavoMessage::Kind::status:
            return TavoReceiverStatus{
                payload.member("outputMode").oneOf(&receiverOutputModeFromRawValue)};
    }
    throw std::logic_error("unknown message kind");
}

}  // namespace

std::string encode(const TavoMessage& message) {
    ordered_json document;
    document["kind"] = rawValue(message.kind());
    document["payload"] =
        std::visit([](const auto& payload) { return payloadJson(payload); }, message.payload());
    try {
        return escapeSolidus(document.dump());
    } catch (const json::type_error& error) {
        // Text that is not valid UTF-8 cannot be written as JSON.
        throw EncodingError(error.what());
    }
}

TavoMessage decode(std::string_view text) {
    // Parsing checks UTF-8, rejects trailing data and numbers beyond the range of a double.
    auto document = json::parse(text, nullptr, false);
    if (document.is_discarded()) {
        throw DecodingError(ErrorKind::dataCorrupted, {},
                            "the body is not one valid JSON document");
    }
    Value root(document);
    auto kind = root.member("kind").oneOf(&kindFromRawValue);
    return decodePayload(kind, root.member("payload"));
}

}  // namespace tavo::MessageJson
