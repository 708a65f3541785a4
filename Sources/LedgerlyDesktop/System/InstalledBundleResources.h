#pragma once

#include "LedgerlyCore/Platform/BundleResources.h"

#include <QStringList>

namespace ledgerly {

// Resources looked up in a list of folders, first match wins.
class InstalledBundleResources final : public BundleResources {
public:
    explicit InstalledBundleResources(QStringList searchFolders);

    // The installed data folder (<prefix>/share/ledgerly) for an installed
    // `executableFolder` (<prefix>/bin), then <build>/Resources for one in
    // the build tree (<build>/bin).
    static QStringList defaultSearchFolders(const QString& executableFolder);

    std::optional<std::filesystem::path> pathForResource(const std::string& name,
                                                         const std::string& extension) const override;

private:
    QStringList searchFolders_;
};

}  // namespace ledgerly
