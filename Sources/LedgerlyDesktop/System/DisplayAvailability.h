#pragma once

#include <QByteArray>
#include <QProcessEnvironment>

namespace ledgerly {

// Whether a desktop session Qt can show windows in is reachable: a Wayland
// compositor, or an X server that accepts a connection. Asked before the
// QApplication exists, which would abort without one.
bool hasDisplay(const QProcessEnvironment& environment);

// The Qt platform plugins to ask for, or empty for Qt's own choice. A
// Wayland session gets a native Wayland client, with XWayland as the
// fallback when Qt's Wayland plugin cannot start; what the user set in
// QT_QPA_PLATFORM is kept.
QByteArray preferredQtPlatform(const QProcessEnvironment& environment);

}  // namespace ledgerly
