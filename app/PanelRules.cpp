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
    // Isolated, so that a right-to-left name cannot carry the words around it along. Name and
    // address are put in in one pass, so that a "%2" in a device name stays text.
    const QString name = QString::fromStdString("\u2068" + shownName(phone.deviceName) + "\u2069");
    const QString address = QString::fromStdString(phone.address);
    const QString question =
        phone.fromOtherNetwork ? QCoreApplication::translate(
                                     "tavo::TrustPrompt",
                                     "%1 (%2, from another network) wants to type on this computer")
                               : QCoreApplication::translate(
                                     "tavo::TrustPrompt", "%1 (%2) wants to type on this computer");
    return question.arg(name, address).toStdString();
}

}  // namespace tavo
