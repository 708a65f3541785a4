#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

namespace ledgerly {

// Whether a desktop session Qt can show windows in is reachable: a Wayland
// compositor, or an X server that accepts a connection. Asked before the
// QApplication exists, which would abort without one.
bool hasDisplay(const QProcessEnvironment& environment);

// The Qt platform plugin to ask for, or empty for Qt's own choice. On a
// Wayland session that also runs XWayland it is "xcb": a Wayland popup needs
// a parent window, and a tray menu has none, so Qt could not show it there.
QByteArray preferredQtPlatform(const QProcessEnvironment& environment);

}  // namespace ledgerly
