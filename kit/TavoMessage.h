#pragma once

#include <optional>
#include <string_view>
#include <variant>

#include "kit/TavoHello.h"
#include "kit/TavoReceiverStatus.h"
#include "kit/TavoScan.h"

namespace tavo {

// One protocol message: exactly one of hello, scan or status, each with its payload.
class TavoMessage {
  public:
    enum class Kind { hello, scan, status };
    // Alternatives stand in the order of Kind.
    using Payload = std::variant<TavoHello, TavoScan, TavoReceiverStatus>;

    TavoMessage(TavoHello hello) : payload_(std::move(hello)) {}
    TavoMessage(TavoScan scan) : payload_(std::move(scan)) {}
    TavoMessage(TavoReceiverStatus status) : payload_(status) {}

    Kind kind() const { return static_cast<Kind>(payload_.index()); }
    const Payload& payload() const { return payload_; }

    // The payload of that case, or null when the message is of another case.
    const TavoHello* hello() const { return std::get_if<TavoHello>(&payload_); }
    const TavoScan* scan() const { return std::get_if<TavoScan>(&payload_); }
    const TavoReceiverStatus* status() const { return std::get_if<TavoReceiverStatus>(&payload_); }

  private:
    Payload payload_;
};

std::string_view rawValue(TavoMessage::Kind kind);

// Exact, case-sensitive match of the whole text; anything else gives nothing.
std::optional<TavoMessage::Kind> kindFromRawValue(std::string_view raw);

}  // namespace tavo
