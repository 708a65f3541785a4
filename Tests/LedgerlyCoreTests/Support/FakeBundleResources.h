#pragma once

#include "LedgerlyCore/Platform/BundleResources.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {

// Resources the test lists by "name.extension"; the paths need not exist.
class FakeBundleResources final : public BundleResources {
public:
    std::optional<std::filesystem::path> pathForResource(const std::string& name,
                                                         const std::string& extension) const override;

    void add(const std::string& name, const std::string& extension, const std::filesystem::path& path);

    std::map<std::string, std::filesystem::path> resources;  // keyed "name.extension"
    mutable std::vector<std::string> lookups;                // every "name.extension" asked for
};

}  // namespace ledgerly::testing
