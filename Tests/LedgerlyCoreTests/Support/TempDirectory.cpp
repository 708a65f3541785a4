#include "Support/TempDirectory.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace ledgerly::testing {
namespace {

std::filesystem::path temporaryRoot() {
    std::error_code error;
    auto root = std::filesystem::temp_directory_path(error);
    return error ? std::filesystem::path("/tmp") : root;
}

// Tests take permissions away; give them back so that removal can reach everything.
void restoreOwnerPermissions(const std::filesystem::path& root) {
    std::error_code error;
    std::filesystem::permissions(root, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, error);
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        if (it->is_symlink(error)) {
            continue;
        }
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     error);
        error.clear();
    }
}

}  // namespace

TempDirectory::TempDirectory() {
    std::string pattern = (temporaryRoot() / "ledgerly-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (::mkdtemp(buffer.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp");
    }
    path_ = buffer.data();
}

TempDirectory::~TempDirectory() {
    restoreOwnerPermissions(path_);
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::filesystem::path TempDirectory::file(std::string_view name) const { return path_ / name; }

std::filesystem::path TempDirectory::writeFile(std::string_view name, std::string_view bytes) const {
    const auto target = file(name);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream stream(target, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    stream.close();
    if (!stream) {
        throw std::system_error(std::make_error_code(std::errc::io_error), target.string());
    }
    return target;
}

std::filesystem::path TempDirectory::makeFolder(std::string_view name) const {
    const auto folder = file(name);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string TempDirectory::readFile(std::string_view name) const {
    std::ifstream stream(file(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

}  // namespace ledgerly::testing
