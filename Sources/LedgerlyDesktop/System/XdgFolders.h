#pragma once

#include <QProcessEnvironment>
#include <QString>

// The XDG base directories the shell keeps its files in, worked out in one place.
namespace ledgerly::xdg {

// $XDG_CONFIG_HOME, or ~/.config when it is unset or relative (a relative
// value is invalid and is ignored).
QString configHome(const QProcessEnvironment& environment);

// $XDG_RUNTIME_DIR; empty when it is unset or relative.
QString runtimeDirectory(const QProcessEnvironment& environment);

}  // namespace ledgerly::xdg
