#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/ReceiverOutputMode.h"
#include "kit/TavoScan.h"

namespace tavo {

// What the panel shows, decided from its six inputs alone, apart from any widget.
struct PanelInputs {
    bool isAdvertising = false;
    std::optional<std::string> connectedDeviceName;
    std::vector<TavoScan> recentScans;
    ReceiverOutputMode outputMode = ReceiverOutputMode::newline;
    bool isTrusted = false;
    bool launchAtLogin = false;
};

enum class StatusColor { green, gray };

struct ScanRow {
    std::string id;
    std::string value;
    std::string symbology;
};

struct PanelContent {
    bool showsAccessibilityNotice = false;
    StatusColor statusColor = StatusColor::gray;
    std::string statusText;  // shown verbatim
    ReceiverOutputMode selectedMode = ReceiverOutputMode::newline;
    std::string modeDescription;  // shown verbatim
    // Empty: the "No scans yet" text instead of a list. Newest first.
    std::vector<ScanRow> scanRows;
    bool launchAtLogin = false;
};

PanelContent panelContent(const PanelInputs& inputs);

// The name of the tray icon: "barcode" while a phone is connected, else "barcode.viewfinder".
std::string_view trayIconName(const std::optional<std::string>& connectedDeviceName);

}  // namespace tavo
