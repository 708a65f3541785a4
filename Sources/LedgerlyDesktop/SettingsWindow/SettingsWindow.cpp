#include "LedgerlyDesktop/SettingsWindow/SettingsWindow.h"

#include "LedgerlyDesktop/SettingsWindow/ShortcutKeyEvents.h"

#include <QKeyEvent>
#include <QScreen>

#include <algorithm>

namespace ledgerly {
namespace {

// X11's Caps Lock bit in the native modifier state: with it on, Ctrl+W is not Ctrl alone.
constexpr quint32 kX11LockMask = 0x2;

}  // namespace

SettingsWindow::SettingsWindow(QWidget* content) : QWidget(nullptr, Qt::Window), content_(content) {
    setWindowTitle(QStringLiteral("General"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    // Placed by hand, not by a layout: a layout would squeeze the content
    // into a window too small for it instead of letting its bottom go under the edge.
    content_->setParent(this);
    content_->move(0, 0);
    setMinimumSize(minimumContentSize);
    setMaximumSize(maximumContentSize);
    resize(contentSize);
    centreOnScreen();
}

void SettingsWindow::fitContentHeight(int contentHeight) {
    content_->resize(contentSize.width(), contentHeight);
    resize(contentSize.width(), std::clamp(contentHeight, minimumContentSize.height(), maximumContentSize.height()));
}

void SettingsWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // With no control focused the window takes the keys itself, rather than
    // Qt handing the focus to the first control when it becomes active.
    if (focusWidget() == nullptr) {
        setFocus(Qt::OtherFocusReason);
    }
}

void SettingsWindow::keyPressEvent(QKeyEvent* event) {
    if (isModifierKey(event->key())) {
        // Holding a modifier is not a key press of its own.
        return;
    }
    if (isCloseKey(*event)) {
        close();
        return;
    }
    ++unhandledKeyDownCount_;
}

bool SettingsWindow::isCloseKey(const QKeyEvent& event) {
    return event.modifiers() == Qt::ControlModifier && (event.nativeModifiers() & kX11LockMask) == 0 &&
           event.key() == Qt::Key_W;
}

void SettingsWindow::centreOnScreen() {
    if (const QScreen* screen = this->screen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

}  // namespace ledgerly
