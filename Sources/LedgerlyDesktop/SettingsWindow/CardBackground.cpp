#include "LedgerlyDesktop/SettingsWindow/CardBackground.h"

#include "LedgerlyDesktop/SettingsWindow/PlatformColors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPen>

namespace ledgerly {
namespace {

constexpr qreal kCornerRadius = 8;
constexpr qreal kBorderOpacity = 0.7;

}  // namespace

void paintCardBackground(QPainter& painter, const QRectF& bounds, const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // The border's centre line half a pixel inside, so that it covers exactly the outermost pixels.
    const QRectF edge = bounds.adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath path;
    path.addRoundedRect(edge, kCornerRadius, kCornerRadius);
    painter.fillPath(path, platformColor(PlatformColor::controlBackgroundColor, palette));
    QColor border = platformColor(PlatformColor::separatorColor, palette);
    border.setAlphaF(border.alphaF() * static_cast<float>(kBorderOpacity));
    painter.setPen(QPen(border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.restore();
}

}  // namespace ledgerly
