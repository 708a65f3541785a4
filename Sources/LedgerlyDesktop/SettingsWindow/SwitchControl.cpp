#include "LedgerlyDesktop/SettingsWindow/SwitchControl.h"

#include "LedgerlyDesktop/SettingsWindow/PlatformColors.h"

#include <QPainter>
#include <QPainterPath>

namespace ledgerly {
namespace {

constexpr qreal kKnobInset = 2;
constexpr qreal kFocusRingWidth = 2;

}  // namespace

SwitchControl::SwitchControl(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize SwitchControl::sizeHint() const { return switchSize; }

QSize SwitchControl::minimumSizeHint() const { return switchSize; }

bool SwitchControl::hitButton(const QPoint& position) const { return rect().contains(position); }

QRectF SwitchControl::knobRect(const QRectF& track) const {
    const qreal side = track.height() - 2 * kKnobInset;
    const qreal x = isChecked() ? track.right() - kKnobInset - side : track.left() + kKnobInset;
    return {x, track.top() + kKnobInset, side, side};
}

void SwitchControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(1, 1, -1, -1);
    const qreal radius = track.height() / 2;
    QColor trackColor =
        isChecked() ? palette().color(QPalette::Highlight) : platformColor(PlatformColor::separatorColor, palette());
    if (!isEnabled()) {
        trackColor.setAlphaF(0.5f);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColor);
    painter.drawRoundedRect(track, radius, radius);
    // The knob is white in light and dark palettes alike, with a faint edge.
    painter.setPen(QPen(QColor(0, 0, 0, 40), 0.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(knobRect(track));
    if (hasFocus()) {
        QColor ring = palette().color(QPalette::Highlight);
        ring.setAlphaF(0.6f);
        painter.setPen(QPen(ring, kFocusRingWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), radius, radius);
    }
}

}  // namespace ledgerly
