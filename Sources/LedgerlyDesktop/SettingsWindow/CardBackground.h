#pragma once

#include <QPalette>
#include <QRectF>

class QPainter;

namespace ledgerly {

// The rounded box behind cards and messages: the control background with a
// one-pixel border of the separator colour at 70 % opacity, radius 8.
void paintCardBackground(QPainter& painter, const QRectF& bounds, const QPalette& palette);

}  // namespace ledgerly
