#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ledgerly::testing {

// A real, empty folder of its own for one test, removed with everything in it
// when the object goes away.
class TempDirectory {
public:
    // Throws std::system_error when no folder can be made.
    TempDirectory();
    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;
    ~TempDirectory();

    const std::filesystem::path& path() const { return path_; }
    // `name` inside the folder; nothing is created.
    std::filesystem::path file(std::string_view name) const;
    // Creates or truncates `name` inside the folder with exactly `bytes`,
    // making the folders on the way; returns its path.
    std::filesystem::path writeFile(std::string_view name, std::string_view bytes = {}) const;
    // Creates the folder `name` inside the folder, with those on the way; returns its path.
    std::filesystem::path makeFolder(std::string_view name) const;
    // The bytes of `name` inside the folder; empty when it cannot be read.
    std::string readFile(std::string_view name) const;

private:
    std::filesystem::path path_;
};

}  // namespace ledgerly::testing
