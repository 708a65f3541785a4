#include "Support/FakeBundleResources.h"

namespace ledgerly::testing {

std::optional<std::filesystem::path> FakeBundleResources::pathForResource(const std::string& name,
                                                                          const std::string& extension) const {
    const std::string key = name + "." + extension;
    lookups.push_back(key);
    const auto found = resources.find(key);
    if (found == resources.end()) {
        return std::nullopt;
    }
    return found->second;
}

void FakeBundleResources::add(const std::string& name, const std::string& extension,
                              const std::filesystem::path& path) {
    resources.insert_or_assign(name + "." + extension, path);
}

}  // namespace ledgerly::testing
