#include "app/PanelRules.h"

#include <QCoreApplication>

namespace tavo {

PanelContent panelContent(const PanelInputs& inputs) {
    PanelContent content;
    content.showsAccessibilityNotice = !inputs.isTrusted;

    if (inputs.connectedDeviceName) {
        content.statusColor = StatusColor::green;
        content.statusText = *inputs.connectedDeviceName;
    } else {
        content.statusColor = StatusColor::gray;
        content.statusText =
            inputs.isAdvertising
                ? QT_TRANSLATE_NOOP("tavo::MenuBarContentView", "Waiting for iPhone\u2026")
                : QT_TRANSLATE_NOOP("tavo::MenuBarContentView", "Starting\u2026");
    }

    content.selectedMode = inputs.outputMode;
    content.modeDescription =
        inputs.outputMode == ReceiverOutputMode::csv
            ? QT_TRANSLATE_NOOP("tavo::MenuBarContentView",
                                "Each scan is typed followed by a comma, no Return \u2014 builds "
                                "one line yourself.")
            : QT_TRANSLATE_NOOP(
                  "tavo::MenuBarContentView",
                  "Each scan is typed, then Return is pressed \u2014 one scan per line.");

    content.scanRows.reserve(inputs.recentScans.size());
    for (const auto& [scan, typed] : inputs.recentScans) {
        content.scanRows.push_back({scan.id.string(), scan.value, scan.symbology, typed});
    }
    content.launchAtLogin = inputs.launchAtLogin;
    return content;
}

std::string_view trayIconName(const std::optional<std::string>& connectedDeviceName,
                              bool isPaused) {
    if (isPaused) {
        return "barcode.paused";
    }
    return connectedDeviceName ? "barcode" : "barcode.viewfinder";
}

std::string phoneAskingText(const Phone& phone) {
    // Both come from the network: put in as they are, in one pass, so that a "%2" in a device
    // name stays text.
    return QCoreApplication::translate("tavo::TrustPrompt",
                                       "%1 (%2) wants to type on this computer")
        .arg(QString::fromStdString(phone.deviceName), QString::fromStdString(phone.address))
        .toStdString();
}

}  // namespace tavo
