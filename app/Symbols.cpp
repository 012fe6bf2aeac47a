#include "app/Symbols.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tavo {
namespace {

QString resourcePath(std::string_view name) {
    return QStringLiteral(":/icons/%1.svg")
        .arg(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
}

}  // namespace

QIcon symbolIcon(std::string_view name) {
    return QIcon(resourcePath(name));
}

QPixmap tintedSymbol(std::string_view name, const QColor& color, int size, qreal pixelRatio) {
    const int pixels = qRound(size * pixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QSvgRenderer(resourcePath(name)).render(&painter);
    // Keeps the symbol's shape and replaces its colour.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(pixmap.rect(), color);
    painter.end();
    pixmap.setDevicePixelRatio(pixelRatio);
    return pixmap;
}

}  // namespace tavo
