#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "kit/ReceiverOutputMode.h"
#include "kit/TavoScan.h"
#include "receiver/ScanListener.h"

namespace tavo {

// What the panel shows, decided from its six inputs alone, apart from any widget.
struct PanelInputs {
    bool isAdvertising = false;
    std::optional<AdvertisingTrouble> advertisingTrouble;
    std::optional<std::string> connectedDeviceName;
    std::vector<RecentScan> recentScans;
    ReceiverOutputMode outputMode = ReceiverOutputMode::newline;
    bool isTrusted = false;
    bool launchAtLogin = false;
};

// orange: phones cannot find the receiver.
enum class StatusColor { green, gray, orange };

struct ScanRow {
    std::string id;
    std::string value;
    std::string symbology;
    bool typed = true;  // false: marked as not typed
};

struct PanelContent {
    bool showsAccessibilityNotice = false;
    StatusColor statusColor = StatusColor::gray;
    // The device name made safe to show; or, orange, the problem already translated, which may
    // take more than a line; or else an English key to look up.
    std::string statusText;
    ReceiverOutputMode selectedMode = ReceiverOutputMode::newline;
    std::string modeDescription;  // an English key to look up
    // Empty: the "No scans yet" text instead of a list. Newest first.
    std::vector<ScanRow> scanRows;
    bool launchAtLogin = false;
};

PanelContent panelContent(const PanelInputs& inputs);

// The name of the tray icon: "barcode.paused" while typing is paused, else "barcode" while a phone
// is connected, else "barcode.viewfinder".
std::string_view trayIconName(const std::optional<std::string>& connectedDeviceName,
                              bool isPaused = false);

// The question shown while a phone waits to be allowed, with its name made safe to show, in the
// language of the installed translator.
std::string phoneAskingText(const Phone& phone);

}  // namespace tavo
