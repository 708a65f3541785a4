#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>

#include <string_view>

class QPainter;

namespace ledgerly {

// Draws the shell's drawing of `symbolName` into `rect` in `color`, as a
// template image is drawn; draws nothing for a symbol the shell lacks.
void paintTintedSymbol(QPainter& painter, const QRectF& rect, std::string_view symbolName, const QColor& color);

// The same drawing as a `side` x `side` pixmap.
QPixmap tintedSymbolPixmap(std::string_view symbolName, int side, const QColor& color, qreal devicePixelRatio);

}  // namespace ledgerly
