#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <string_view>

namespace tavo {

// Our two symbols, "barcode" and "barcode.viewfinder", as drawn in their own neutral grey.
QIcon symbolIcon(std::string_view name);

// The symbol drawn in one colour, size by size logical pixels, sharp at the given pixel ratio.
QPixmap tintedSymbol(std::string_view name, const QColor& color, int size, qreal pixelRatio);

}  // namespace tavo
