#include "app/ListeningInfo.h"

#include <QStringList>

#include "platform/network/LocalNetworks.h"

namespace tavo {
namespace {

// The addresses a phone can reach: loopback ones only when there is nothing else.
QStringList reachableAddresses() {
    QStringList outside;
    QStringList loopback;
    for (const InterfaceAddress& own : interfaceAddresses()) {
        (own.address.is_loopback() ? loopback : outside)
            .append(QString::fromStdString(addressText(own.address)));
    }
    return outside.isEmpty() ? loopback : outside;
}

}  // namespace

ListeningInfo::ListeningInfo(const ScanListener& listener, QWidget* parent)
    : QLabel(parent), listener_(listener) {
    setObjectName("listeningInfo");
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    QFont small = font();
    small.setPointSizeF((small.pointSizeF() > 0 ? small.pointSizeF() : 10) - 1);
    setFont(small);
    QPalette dimmed = palette();
    QColor color = dimmed.color(QPalette::WindowText);
    color.setAlphaF(0.6);
    dimmed.setColor(QPalette::WindowText, color);
    setPalette(dimmed);
}

void ListeningInfo::refresh() {
    const auto port = listener_.port();
    if (!port) {
        setVisible(false);
        return;
    }
    QStringList parts;
    // The name only while phones can find it.
    if (const auto& name = listener_.advertisedName(); name && !listener_.advertisingTrouble()) {
        parts.append(QString::fromStdString(*name));
    }
    parts.append(reachableAddresses().join(", "));
    parts.append(tr("port %1").arg(*port));
    setText(parts.join(QStringLiteral(" \u00b7 ")));
    setVisible(true);
}

}  // namespace tavo
