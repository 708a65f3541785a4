#include "LedgerlyDesktop/InstalledBundleResources.h"

#include <QDir>
#include <QFileInfo>

namespace ledgerly {

InstalledBundleResources::InstalledBundleResources(QStringList searchFolders)
    : searchFolders_(std::move(searchFolders)) {}

QStringList InstalledBundleResources::defaultSearchFolders(const QString& executableFolder) {
    const QString prefix = QDir::cleanPath(executableFolder + QStringLiteral("/.."));
    return {prefix + QStringLiteral("/share/ledgerly"), prefix + QStringLiteral("/Resources")};
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
