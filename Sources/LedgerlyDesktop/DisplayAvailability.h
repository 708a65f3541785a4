#pragma once

#include <QProcessEnvironment>

namespace ledgerly {

// Whether a desktop session Qt can show windows in is reachable: a Wayland
// compositor, or an X server that accepts a connection. Asked before the
// QApplication exists, which would abort without one.
bool hasDisplay(const QProcessEnvironment& environment);

}  // namespace ledgerly
