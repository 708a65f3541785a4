#include "LedgerlyDesktop/System/InstalledBundleResources.h"

#include <QDir>
#include <QFileInfo>

namespace ledgerly {

InstalledBundleResources::InstalledBundleResources(QStringList searchFolders)
    : searchFolders_(std::move(searchFolders)) {}

QStringList InstalledBundleResources::defaultSearchFolders(const QString& executableFolder) {
    // The build compiles in where the data folder is installed relative to
    // the programs' folder: ../share/ledgerly unless configured otherwise.
    const QString installed = executableFolder + QStringLiteral("/" LEDGERLY_DATADIR_FROM_BINDIR);
    const QString buildTree = executableFolder + QStringLiteral("/../Resources");
    return {QDir::cleanPath(installed), QDir::cleanPath(buildTree)};
}

std::optional<std::filesystem::path> InstalledBundleResources::pathForResource(const std::string& name,
                                                                               const std::string& extension) const {
    const QString fileName = QString::fromStdString(extension.empty() ? name : name + "." + extension);
    for (const QString& folder : searchFolders_) {
        const QFileInfo candidate(QDir(folder).filePath(fileName));
        if (candidate.isFile()) {
            return std::filesystem::path(candidate.absoluteFilePath().toStdString());
        }
    }
    return std::nullopt;
}

}  // namespace ledgerly
