#include "HostileRoad.h"

#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdarg>
#include <filesystem>
#include <string>

// The file source tests for the file, then opens it. To change the file in
// exactly that gap, this test program supplies its own open(): it runs the
// test's action when the watched path is opened, then opens as the system
// would. Everything else in the program opens files unchanged.
namespace {

const char* gWatchedPath = nullptr;  // constant-initialised: open() may run before main
void (*gBeforeOpen)() = nullptr;

int openFile(const char* path, int flags, mode_t mode) {
    if (gWatchedPath != nullptr && gBeforeOpen != nullptr && std::string_view(path) == gWatchedPath) {
        auto* action = gBeforeOpen;
        gBeforeOpen = nullptr;
        action();
    }
    return static_cast<int>(::syscall(SYS_openat, AT_FDCWD, path, flags, mode));
}

mode_t modeArgument(int flags, va_list arguments) {
    return (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

}  // namespace

extern "C" int open(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openFile(path, flags, mode);
}

extern "C" int open64(const char* path, int flags, ...) {
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return openFile(path, flags, mode);
}

namespace ledgerly::testing {
namespace {

const LedgerlyMenuState notFound{LedgerlyMenuState::SelectedFileNotFound{}};

// The selected path and what becomes of it between the existence test and the read.
struct Gap {
    static inline std::filesystem::path selected;
    static inline std::filesystem::path other;

    Gap(const std::filesystem::path& path, void (*action)()) {
        selected = path;
        gWatchedPath = selected.c_str();
        gBeforeOpen = action;
    }
    Gap(const Gap&) = delete;
    Gap& operator=(const Gap&) = delete;
    ~Gap() {
        gWatchedPath = nullptr;
        gBeforeOpen = nullptr;
    }
    static bool acted() { return gBeforeOpen == nullptr; }

    static void removeSelected() { std::filesystem::remove(selected); }
    // Points the selected symbolic link at `other`, atomically, as an editor's save does.
    static void swapLinkToOther() {
        const auto swapped = selected.string() + ".swap";
        std::filesystem::create_symlink(other, swapped);
        std::filesystem::rename(swapped, selected);
    }
};

TEST(HostileVanishingFile, FileDeletedBeforeTheReadIsNotFound) {
    const TempDirectory folder;
    const Gap gap(folder.writeFile("bookmarks.md", "- [A](https://example.com)\n"), Gap::removeSelected);
    const auto result = readParseAndBuild(Gap::selected);
    ASSERT_TRUE(Gap::acted());
    EXPECT_EQ(notFound, result.outcome.menuState);
    EXPECT_EQ("Selected file not found", result.menu.entries[0].title);
}

TEST(HostileVanishingFile, LinkSwappedToNothingBeforeTheReadIsNotFound) {
    const TempDirectory folder;
    std::filesystem::create_symlink(folder.writeFile("real.md", "- a\n"), folder.file("link.md"));
    Gap::other = folder.file("missing.md");
    const Gap gap(folder.file("link.md"), Gap::swapLinkToOther);
    const auto result = readParseAndBuild(Gap::selected);
    ASSERT_TRUE(Gap::acted());
    EXPECT_EQ(notFound, result.outcome.menuState);
}

TEST(HostileVanishingFile, LinkSwappedToAFIFOBeforeTheReadDoesNotHang) {
    const TempDirectory folder;
    std::filesystem::create_symlink(folder.writeFile("real.md", "- a\n"), folder.file("link.md"));
    Gap::other = folder.file("fifo");
    ASSERT_EQ(0, ::mkfifo(Gap::other.c_str(), 0600));
    const Gap gap(folder.file("link.md"), Gap::swapLinkToOther);
    const auto result = readParseAndBuild(Gap::selected);
    ASSERT_TRUE(Gap::acted());
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), result.outcome.menuState);
}

TEST(HostileVanishingFile, LinkSwappedToAnotherFileReadsThatFile) {
    const TempDirectory folder;
    std::filesystem::create_symlink(folder.writeFile("old.md", "- old\n"), folder.file("link.md"));
    Gap::other = folder.writeFile("new.md", "- new\n");
    const Gap gap(folder.file("link.md"), Gap::swapLinkToOther);
    const auto result = readParseAndBuild(Gap::selected);
    ASSERT_TRUE(Gap::acted());
    ASSERT_EQ(1U, result.document().items.size());
    EXPECT_EQ("new", std::get<BookmarkSnippet>(result.document().items[0].value).displayTitle());
}

}  // namespace
}  // namespace ledgerly::testing
