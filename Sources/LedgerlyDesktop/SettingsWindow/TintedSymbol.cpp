#include "LedgerlyDesktop/SettingsWindow/TintedSymbol.h"

#include "LedgerlyDesktop/Menus/SymbolIconSet.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cmath>

namespace ledgerly {

QPixmap tintedSymbolPixmap(std::string_view symbolName, int side, const QColor& color, qreal devicePixelRatio) {
    const int pixels = static_cast<int>(std::ceil(side * devicePixelRatio));
    QPixmap pixmap(pixels, pixels);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    const SymbolIconSet symbols;
    if (!symbols.hasSymbol(symbolName)) {
        return pixmap;
    }
    QSvgRenderer renderer(SymbolIconSet::resourcePath(symbolName));
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, side, side));
    // Only the drawing's shape is kept; the colour is the caller's.
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(0, 0, side, side), color);
    return pixmap;
}

void paintTintedSymbol(QPainter& painter, const QRectF& rect, std::string_view symbolName, const QColor& color) {
    const int side = static_cast<int>(std::lround(std::min(rect.width(), rect.height())));
    const qreal ratio = painter.device() != nullptr ? painter.device()->devicePixelRatioF() : 1.0;
    painter.drawPixmap(rect.topLeft(), tintedSymbolPixmap(symbolName, side, color, ratio));
}

}  // namespace ledgerly
