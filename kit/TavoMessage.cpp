#include "kit/TavoMessage.h"

namespace tavo {

std::string_view rawValue(TavoMessage::Kind kind) {
    switch (kind) {
        case TavoMessage::Kind::hello:
            return "hello";
        case TavoMessage::Kind::scan:
            return "scan";
        case TavoMessage::Kind::status:
            return "status";
    }
    return {};
}

std::optional<TavoMessage::Kind> kindFromRawValue(std::string_view raw) {
    for (auto kind :
         {TavoMessage::Kind::hello, TavoMessage::Kind::scan, TavoMessage::Kind::status}) {
        if (raw == rawValue(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

}  // namespace tavo
