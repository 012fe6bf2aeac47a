#include "app/PanelRules.h"

#include <QCoreApplication>

#include "app/ShownText.h"

namespace tavo {
namespace {

// What is wrong and what to do, in one sentence: phones can still reach the addresses and the
// port the panel lists.
std::string notVisibleText(const AdvertisingTrouble& trouble) {
    // Waiting is all Avahi reports while its daemon, or the system bus it needs, is away.
    const QString text =
        trouble.isWaiting
            ? QCoreApplication::translate(
                  "PanelRules", "Not visible to phones: the avahi-daemon service is not running")
            : QCoreApplication::translate("PanelRules", "Not visible to phones: %1")
                  .arg(QString::fromStdString(trouble.description));
    return text.toStdString();
}

}  // namespace

PanelContent panelContent(const PanelInputs& inputs) {
    PanelContent content;
    content.showsAccessibilityNotice = !inputs.isTrusted;

    if (inputs.connectedDeviceName) {
        content.statusColor = StatusColor::green;
        content.statusText = shownName(*inputs.connectedDeviceName);
    } else if (inputs.advertisingTrouble) {
        content.statusColor = StatusColor::orange;
        content.statusText = notVisibleText(*inputs.advertisingTrouble);
    } else {
        content.statusColor = StatusColor::gray;
        content.statusText = inputs.isAdvertising ? "Waiting for iPhone\u2026" : "Starting\u2026";
    }

    content.selectedMode = inputs.outputMode;
    content.modeDescription =
        inputs.outputMode == ReceiverOutputMode::csv
            ? "Each scan is typed followed by a comma, no Return \u2014 builds one line yourself."
            : "Each scan is typed, then Return is pressed \u2014 one scan per line.";

    content.scanRows.reserve(inputs.recentScans.size());
    for (const auto& [scan, typed] : inputs.recentScans) {
        content.scanRows.push_back(
            {scan.id.string(), shownText(scan.value), shownText(scan.symbology), typed});
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
    // Isolated, so that a right-to-left name cannot carry the words around it along.
    const std::string name = "\u2068" + shownName(phone.deviceName) + "\u2069";
    return name + " (" + phone.address + (phone.fromOtherNetwork ? ", from another network" : "") +
           ") wants to type on this computer";
}

}  // namespace tavo
