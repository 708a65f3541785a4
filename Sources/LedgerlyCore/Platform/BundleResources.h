#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ledgerly {

// Files shipped with the application.
class BundleResources {
public:
    BundleResources() = default;
    BundleResources(const BundleResources&) = delete;
    BundleResources& operator=(const BundleResources&) = delete;
    virtual ~BundleResources() = default;

    // The path of resource `name`.`extension` ("starter", "ledgerly.md"), or none when not shipped.
    virtual std::optional<std::filesystem::path> pathForResource(const std::string& name,
                                                                 const std::string& extension) const = 0;
};

}  // namespace ledgerly
