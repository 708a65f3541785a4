#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace ledgerly::testing {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

TEST(TempDirectoryLife, StartsEmptyAndIsRemovedWithEverythingInIt) {
    fs::path kept;
    {
        TempDirectory folder;
        kept = folder.path();
        EXPECT_TRUE(fs::is_directory(kept));
        EXPECT_TRUE(fs::is_empty(kept));
        folder.writeFile("a.md", "a");
        fs::create_directories(folder.file("sub/deeper"));
        folder.writeFile("sub/deeper/b.md", "b");
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(TempDirectoryLife, RemovedEvenWhenPermissionsWereTakenAway) {
    fs::path kept;
    {
        TempDirectory folder;
        kept = folder.path();
        fs::create_directory(folder.file("locked"));
        folder.writeFile("locked/inside.md", "x");
        fs::permissions(folder.file("locked/inside.md"), fs::perms::none);
        fs::permissions(folder.file("locked"), fs::perms::none);
    }
    EXPECT_FALSE(fs::exists(kept));
}

TEST(TempDirectoryLife, EachFolderIsItsOwn) {
    TempDirectory first;
    TempDirectory second;
    EXPECT_NE(first.path(), second.path());
}

TEST(TempDirectoryFiles, WriteFileStoresExactBytesAndTruncates) {
    TempDirectory folder;
    const std::string bytes("line\r\n\0\xE9", 8);
    folder.writeFile("f.md", "a much longer earlier content");
    const auto path = folder.writeFile("f.md", bytes);
    EXPECT_EQ(folder.file("f.md"), path);
    EXPECT_EQ(bytes, contents(path));
}

}  // namespace
}  // namespace ledgerly::testing
