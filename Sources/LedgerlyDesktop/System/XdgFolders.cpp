#include "LedgerlyDesktop/System/XdgFolders.h"

#include <QDir>

namespace ledgerly::xdg {
namespace {

// Base directories must be absolute: anything else counts as unset.
QString absoluteFolder(const QProcessEnvironment& environment, const QString& name) {
    const QString folder = environment.value(name);
    return QDir::isRelativePath(folder) ? QString() : folder;
}

}  // namespace

QString configHome(const QProcessEnvironment& environment) {
    const QString configured = absoluteFolder(environment, QStringLiteral("XDG_CONFIG_HOME"));
    if (!configured.isEmpty()) {
        return configured;
    }
    return environment.value(QStringLiteral("HOME"), QDir::homePath()) + QStringLiteral("/.config");
}

QString runtimeDirectory(const QProcessEnvironment& environment) {
    return absoluteFolder(environment, QStringLiteral("XDG_RUNTIME_DIR"));
}

}  // namespace ledgerly::xdg
