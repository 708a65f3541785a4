#include "LedgerlyDesktop/SettingsWindow/ShortcutRecorderControl.h"

#include "LedgerlyDesktop/SettingsWindow/PlatformColors.h"
#include "LedgerlyDesktop/SettingsWindow/ShortcutKeyEvents.h"
#include "LedgerlyDesktop/SettingsWindow/TintedSymbol.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace ledgerly {
namespace {

constexpr int kEscapeKeyCode = 53;
constexpr qreal kFieldInset = 1;
constexpr qreal kFocusRingWidth = 3;
// The title ends 10 pixels before the clear button: 30 from the field's right edge.
constexpr qreal kTitleEndBeforeEdge = 30;
constexpr const char* kClearSymbolName = "xmark.circle.fill";

QPainterPath roundedPath(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

}  // namespace

ShortcutRecorderControl::ShortcutRecorderControl(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(QStringLiteral("Open Ledgerly menu"));
    updateToolTip();
}

ShortcutRecorderControl::~ShortcutRecorderControl() { removeEventMonitors(); }

void ShortcutRecorderControl::setShortcut(const KeyboardShortcut& shortcut) {
    shortcut_ = shortcut;
    updateToolTip();
    updateGeometry();
    update();
}

void ShortcutRecorderControl::setShortcutEnabled(bool enabled) {
    isShortcutEnabled_ = enabled;
    updateToolTip();
    update();
}

QString ShortcutRecorderControl::title() const {
    if (showsRecordingPrompt_) {
        return QStringLiteral("Press keys");
    }
    return isShortcutEnabled_ ? linuxShortcutText(shortcut_) : QStringLiteral("Record shortcut");
}

QColor ShortcutRecorderControl::titleColor() const {
    const bool placeholder = showsRecordingPrompt_ || !isShortcutEnabled_;
    return platformColor(placeholder ? PlatformColor::placeholderTextColor : PlatformColor::labelColor, palette());
}

bool ShortcutRecorderControl::showsClearButton() const { return isShortcutEnabled_ && !showsRecordingPrompt_; }

QString ShortcutRecorderControl::displayedTitle() const {
    return fontMetrics().elidedText(title(), Qt::ElideRight, static_cast<int>(titleRect().width()));
}

QRectF ShortcutRecorderControl::fieldRect() const {
    return QRectF(rect()).adjusted(kFieldInset, kFieldInset, -kFieldInset, -kFieldInset);
}

QRectF ShortcutRecorderControl::clearButtonRect() const {
    // Vertically centred, so the same in Qt's downward y as in an upward one.
    const QRectF bounds(rect());
    return {bounds.right() - clearButtonTrailingPadding - clearButtonSize, bounds.center().y() - clearButtonSize / 2,
            clearButtonSize, clearButtonSize};
}

QRectF ShortcutRecorderControl::titleRect() const {
    QRectF text = fieldRect().adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    if (showsClearButton()) {
        // Of the room before the field's edge, the padding already took its part.
        const qreal reserve = kTitleEndBeforeEdge - horizontalPadding;
        text.setWidth(std::max<qreal>(0, text.width() - reserve));
    }
    return text;
}

QSize ShortcutRecorderControl::sizeHint() const {
    // Sized by the shortcut, not by the title, so that the field keeps its width while it records.
    const qreal chrome = 2 * kFieldInset + horizontalPadding + kTitleEndBeforeEdge;
    const qreal text = QFontMetricsF(font()).horizontalAdvance(linuxShortcutText(shortcut_));
    // One pixel more: eliding measures in whole pixels.
    const int wanted = static_cast<int>(std::ceil(text + chrome)) + 1;
    return {std::clamp(wanted, intrinsicContentSize.width(), maximumFieldWidth), intrinsicContentSize.height()};
}

QSize ShortcutRecorderControl::minimumSizeHint() const { return intrinsicContentSize; }

void ShortcutRecorderControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    if (showsClearButton() && clearButtonRect().contains(event->position())) {
        clearShortcutAndRecord();
        return;
    }
    // With a shortcut on, the field keeps showing it while it records.
    isListeningForShortcut_ = true;
    showsRecordingPrompt_ = !isShortcutEnabled_;
    installEventMonitors();
    update();
    setFocus(Qt::MouseFocusReason);
}

void ShortcutRecorderControl::clearShortcutAndRecord() {
    if (onDisable_) {
        onDisable_();
    }
    isListeningForShortcut_ = true;
    showsRecordingPrompt_ = true;
    installEventMonitors();
    update();
    setFocus(Qt::MouseFocusReason);
}

void ShortcutRecorderControl::keyPressEvent(QKeyEvent* event) {
    // A press that is not recorded goes on to the window, which closes on
    // Ctrl+W and drops everything else silently.
    if (!handleRecordingEvent(keyEventFromQt(*event))) {
        event->ignore();
    }
}

bool ShortcutRecorderControl::handleRecordingEvent(const KeyEvent& event) {
    if (!isListeningForShortcut_) {
        return false;
    }
    if (event.type == kFlagsChangedEventType) {
        return true;
    }
    if (event.keyCode == kEscapeKeyCode) {
        stopRecording();
        giveUpFocus();
        return true;
    }
    const auto shortcut = KeyboardShortcut::from(event);
    if (!shortcut) {
        if (event.type == KeyEvent::keyDownType && onInvalidShortcut_) {
            onInvalidShortcut_(invalidShortcutMessage);
        }
        return true;
    }
    if (onShortcut_) {
        onShortcut_(*shortcut);
    }
    stopRecording();
    giveUpFocus();
    return true;
}

bool ShortcutRecorderControl::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return observeKeyEvent(watched, static_cast<QKeyEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        observeMouseEvent(watched, static_cast<QMouseEvent*>(event));
        return false;
    default:
        return false;
    }
}

bool ShortcutRecorderControl::observeKeyEvent(QObject* receiver, QKeyEvent* event) {
    // A key event reaches the QWindow first and then a widget; judge it once, at the widget.
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (!isListeningForShortcut_ || widget == nullptr || widget->window() != window()) {
        return false;
    }
    const bool modifierKey = isModifierKey(event->key());
    if (event->type() == QEvent::ShortcutOverride) {
        // Claimed as an ordinary key press, so that no shortcut of the window acts on it.
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyRelease && !modifierKey) {
        return false;
    }
    return handleRecordingEvent(keyEventFromQt(*event));
}

void ShortcutRecorderControl::observeMouseEvent(QObject* receiver, QMouseEvent* event) {
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    if (widget == nullptr || widget->window() != window()) {
        return;
    }
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton) {
        return;
    }
    if (rect().contains(mapFromGlobal(event->globalPosition()).toPoint())) {
        return;
    }
    giveUpFocus();
    stopRecording();
}

void ShortcutRecorderControl::installEventMonitors() {
    if (!monitorsInstalled_) {
        qApp->installEventFilter(this);
        monitorsInstalled_ = true;
    }
}

void ShortcutRecorderControl::removeEventMonitors() {
    if (monitorsInstalled_) {
        qApp->removeEventFilter(this);
        monitorsInstalled_ = false;
    }
}

void ShortcutRecorderControl::stopRecording() {
    if (isListeningForShortcut_ || showsRecordingPrompt_) {
        isListeningForShortcut_ = false;
        showsRecordingPrompt_ = false;
        removeEventMonitors();
        update();
    }
}

void ShortcutRecorderControl::giveUpFocus() {
    // The window itself takes the focus, so no control has it.
    window()->setFocus(Qt::OtherFocusReason);
}

void ShortcutRecorderControl::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void ShortcutRecorderControl::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    // Another window becoming active is no reason to stop: a click in another
    // window of the application leaves the recording running.
    if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason) {
        stopRecording();
    }
    update();
}

void ShortcutRecorderControl::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    // A closed window keeps no recording running to be found again when it reopens.
    stopRecording();
}

void ShortcutRecorderControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(roundedPath(fieldRect(), cornerRadius),
                     platformColor(PlatformColor::controlBackgroundColor, palette()));
    painter.setPen(QPen(platformColor(PlatformColor::separatorColor, palette()), 1));
    painter.drawPath(roundedPath(fieldRect().adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius));
    if (hasFocus()) {
        drawFocusRing(painter);
    }
    drawTitle(painter);
    drawClearButtonIfNeeded(painter);
}

void ShortcutRecorderControl::drawFocusRing(QPainter& painter) const {
    // Qt cannot draw outside the widget, so the ring lies over the field's
    // edge instead of around it.
    QColor ring = palette().color(QPalette::Highlight);
    ring.setAlphaF(0.6f);
    painter.setPen(QPen(ring, kFocusRingWidth));
    const qreal half = kFocusRingWidth / 2;
    painter.drawPath(roundedPath(QRectF(rect()).adjusted(half, half, -half, -half), cornerRadius));
}

void ShortcutRecorderControl::drawTitle(QPainter& painter) const {
    painter.setPen(titleColor());
    painter.setFont(font());
    painter.drawText(titleRect(), Qt::AlignLeft | Qt::AlignVCenter, displayedTitle());
}

void ShortcutRecorderControl::drawClearButtonIfNeeded(QPainter& painter) const {
    if (showsClearButton()) {
        paintTintedSymbol(painter, clearButtonRect(), kClearSymbolName,
                          platformColor(PlatformColor::secondaryLabelColor, palette()));
    }
}

void ShortcutRecorderControl::updateToolTip() {
    setToolTip(isShortcutEnabled_ ? linuxShortcutText(shortcut_) : QString());
}

}  // namespace ledgerly
