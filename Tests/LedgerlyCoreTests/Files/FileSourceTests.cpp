#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"
#include "Support/RecordingLogSink.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

constexpr const char* selectedPathKey = "selectedMarkdownPath";

FileSourceError unreadable(FileReadFailureReason reason) {
    return FileSourceError{FileSourceError::UnreadableSelectedFile{reason}};
}
const FileSourceError noSelectedFile{FileSourceError::NoSelectedFile{}};
const FileSourceError notFound{FileSourceError::SelectedFileNotFound{}};

// The error a load throws; none when it returned text.
std::optional<FileSourceError> loadError(const FileSource& source) {
    try {
        source.loadSelectedMarkdown();
    } catch (const FileSourceError& error) {
        return error;
    }
    return std::nullopt;
}

struct SelectedFile {
    InMemoryUserDefaults defaults;
    FileSource source{defaults};

    explicit SelectedFile(const std::filesystem::path& path) { source.setSelectedFileURL(path); }
};

TEST(FileSourceSelection, AbsentKeyGivesNoURL) {
    InMemoryUserDefaults defaults;
    const FileSource source(defaults);
    EXPECT_EQ(std::nullopt, source.selectedFileURL());
}

TEST(FileSourceSelection, AbsentKeyFailsWithNoSelectedFile) {
    InMemoryUserDefaults defaults;
    const FileSource source(defaults);
    EXPECT_EQ(noSelectedFile, loadError(source));
}

TEST(FileSourceSelection, ConstructionWritesNothing) {
    InMemoryUserDefaults defaults;
    const FileSource source(defaults);
    EXPECT_TRUE(defaults.values().empty());
}

TEST(FileSourceSelection, StoresPlainDecodedPath) {
    const std::string paths[] = {
        "/home/ann/My Bookmarks/links.md",
        "/home/ann/Liens/caf\xC3\xA9 r\xC3\xA9sum\xC3\xA9.md",
        "/tmp/100%25 done.md",
    };
    for (const auto& path : paths) {
        InMemoryUserDefaults defaults;
        FileSource source(defaults);
        source.setSelectedFileURL(std::filesystem::path(path));
        EXPECT_EQ(path, defaults.string(selectedPathKey)) << path;
        EXPECT_EQ(std::filesystem::path(path), source.selectedFileURL()) << path;
    }
}

TEST(FileSourceSelection, WritingReplacesEarlierPath) {
    InMemoryUserDefaults defaults;
    FileSource source(defaults);
    source.setSelectedFileURL(std::filesystem::path("/a.md"));
    source.setSelectedFileURL(std::filesystem::path("/b.md"));
    EXPECT_EQ("/b.md", defaults.string(selectedPathKey));
}

TEST(FileSourceSelection, WritingNoneRemovesKey) {
    InMemoryUserDefaults defaults;
    FileSource source(defaults);
    source.setSelectedFileURL(std::filesystem::path("/a.md"));
    source.setSelectedFileURL(std::nullopt);
    EXPECT_FALSE(defaults.hasValue(selectedPathKey));
    EXPECT_EQ(std::nullopt, source.selectedFileURL());
    EXPECT_EQ(noSelectedFile, loadError(source));
}

TEST(FileSourceSelection, RelativeStoredPathIsTakenFromCurrentFolder) {
    InMemoryUserDefaults defaults;
    defaults.setString(selectedPathKey, "notes/links.md");
    const FileSource source(defaults);
    EXPECT_EQ(std::filesystem::current_path() / "notes/links.md", source.selectedFileURL());
}

TEST(FileSourceSelection, NonStringValueReadsAsNoSelection) {
    InMemoryUserDefaults defaults;
    defaults.setInteger(selectedPathKey, 7);
    const FileSource source(defaults);
    EXPECT_EQ(std::nullopt, source.selectedFileURL());
    EXPECT_EQ(noSelectedFile, loadError(source));
}

TEST(FileSourceSelection, InstancesOverSameDefaultsAgree) {
    InMemoryUserDefaults defaults;
    FileSource writer(defaults);
    const FileSource reader(defaults);
    writer.setSelectedFileURL(std::filesystem::path("/x/y.md"));
    EXPECT_EQ(std::filesystem::path("/x/y.md"), reader.selectedFileURL());
}

// A leading byte-order mark is the only thing dropped (see the check tool's tests).
TEST(FileSourceLoad, ReturnsBytesUnchanged) {
    const std::string contents[] = {
        "# Links\n- [Home](https://example.com)\n",
        "windows\r\nline endings\r\n",
        "  padded  \n\n\n",
        "# Title\n\xEF\xBB\xBF byte order mark further in",
        std::string("nul\0inside", 10),
        "caf\xC3\xA9 \xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD",
        "no final newline",
    };
    TempDirectory folder;
    for (const auto& content : contents) {
        SelectedFile selected(folder.writeFile("links.md", content));
        EXPECT_EQ(content, selected.source.loadSelectedMarkdown());
    }
}

TEST(FileSourceLoad, EmptyFileLoadsAsEmptyText) {
    TempDirectory folder;
    SelectedFile selected(folder.writeFile("empty.md", ""));
    EXPECT_EQ("", selected.source.loadSelectedMarkdown());
}

TEST(FileSourceLoad, FileLargerThanOneReadComesBackWhole) {
    std::string content;
    for (int line = 0; content.size() < 300'000; ++line) {
        content += "- [Entry " + std::to_string(line) + "](https://example.com/" + std::to_string(line) + ")\n";
    }
    TempDirectory folder;
    SelectedFile selected(folder.writeFile("big.md", content));
    EXPECT_EQ(content, selected.source.loadSelectedMarkdown());
}

TEST(FileSourceLoad, PathWithSpacesAndNonASCIILoads) {
    TempDirectory folder;
    SelectedFile selected(folder.writeFile("my caf\xC3\xA9 links.md", "text"));
    EXPECT_EQ("text", selected.source.loadSelectedMarkdown());
}

TEST(FileSourceLoad, DeletedFileIsNotFoundAndPathStaysStored) {
    TempDirectory folder;
    const auto path = folder.writeFile("gone.md", "text");
    SelectedFile selected(path);
    std::filesystem::remove(path);
    EXPECT_EQ(notFound, loadError(selected.source));
    EXPECT_EQ(path.string(), selected.defaults.string(selectedPathKey));
}

TEST(FileSourceLoad, EmptyStoredPathIsNotFound) {
    InMemoryUserDefaults defaults;
    defaults.setString(selectedPathKey, "");
    const FileSource source(defaults);
    EXPECT_EQ(notFound, loadError(source));
}

TEST(FileSourceLoad, DanglingSymbolicLinkIsNotFound) {
    TempDirectory folder;
    std::filesystem::create_symlink(folder.file("missing.md"), folder.file("link.md"));
    SelectedFile selected(folder.file("link.md"));
    EXPECT_EQ(notFound, loadError(selected.source));
}

TEST(FileSourceLoad, SymbolicLinkToFileReadsTheTarget) {
    TempDirectory folder;
    const auto target = folder.writeFile("target.md", "through the link");
    std::filesystem::create_symlink(target, folder.file("link.md"));
    SelectedFile selected(folder.file("link.md"));
    EXPECT_EQ("through the link", selected.source.loadSelectedMarkdown());
}

TEST(FileSourceLoad, MalformedUTF8IsInvalidUTF8) {
    const std::string contents[] = {
        "caf\xE9",           // a lone Latin-1 byte
        "\xC0\xAF",          // overlong "/"
        "\xED\xA0\x80",      // UTF-16 surrogate
        "ok\xF0\x9F\x98",    // sequence cut off at the end
        "\xF4\x90\x80\x80",  // above U+10FFFF
        "text\x80",          // stray continuation byte
    };
    TempDirectory folder;
    for (const auto& content : contents) {
        SelectedFile selected(folder.writeFile("latin1.md", content));
        EXPECT_EQ(unreadable(FileReadFailureReason::invalidUTF8), loadError(selected.source));
    }
}

TEST(FileSourceLoad, FolderExistsButIsUnreadableForUnknownReason) {
    TempDirectory folder;
    std::filesystem::create_directory(folder.file("folder.md"));
    SelectedFile selected(folder.file("folder.md"));
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), loadError(selected.source));
}

TEST(FileSourceLoad, FifoIsRefusedWithoutWaitingForAWriter) {
    TempDirectory folder;
    const auto path = folder.file("pipe.md");
    ASSERT_EQ(0, ::mkfifo(path.c_str(), 0600));
    SelectedFile selected(path);
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), loadError(selected.source));
}

TEST(FileSourceLoad, DeviceIsRefused) {
    SelectedFile selected(std::filesystem::path("/dev/zero"));
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), loadError(selected.source));
}

TEST(FileSourceLoad, EachFailureIsLoggedOnceWithItsReason) {
    TempDirectory folder;
    std::filesystem::create_directory(folder.file("folder.md"));
    struct Case {
        std::filesystem::path path;
        std::string line;
    };
    const Case cases[] = {
        {folder.file("missing.md"),
         "ledgerly.file debug: The selected file \"" + folder.file("missing.md").string() + "\" is not there"},
        {folder.writeFile("latin1.md", "caf\xE9"), "ledgerly.file warning: Could not read the selected file \"" +
                                                       folder.file("latin1.md").string() + "\": it is not valid UTF-8"},
        {folder.file("folder.md"), "ledgerly.file warning: Could not read the selected file \"" +
                                       folder.file("folder.md").string() + "\": it is not a regular file"},
    };
    for (const auto& c : cases) {
        const testing::RecordingLogSink log;
        SelectedFile selected(c.path);
        loadError(selected.source);
        EXPECT_EQ(std::vector<std::string>{c.line}, log.lines);
    }
}

// The load's outcome as an exit status, so that it survives a child process.
int outcomeCode(const FileSource& source) {
    const auto error = loadError(source);
    if (!error) {
        return 10;
    }
    return *error == unreadable(FileReadFailureReason::permissionDenied) ? 0 : 11;
}

constexpr int cannotDropPrivileges = 77;

// Root reads any file whatever its mode, so the load runs in a child process
// that has given up root for the "nobody" account.
int loadAsUnprivilegedUser(const FileSource& source) {
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgid(65534) == 0 && ::setuid(65534) == 0;
        ::_exit(dropped ? outcomeCode(source) : cannotDropPrivileges);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(FileSourceLoad, FileWithoutReadPermissionIsPermissionDenied) {
    TempDirectory folder;
    const auto path = folder.writeFile("private.md", "secret");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all | std::filesystem::perms::group_exec |
                                                    std::filesystem::perms::others_exec);
    SelectedFile selected(path);
    const int outcome = ::geteuid() == 0 ? loadAsUnprivilegedUser(selected.source) : outcomeCode(selected.source);
    if (outcome == cannotDropPrivileges) {
        GTEST_SKIP() << "running as root without the right to become another user";
    }
    EXPECT_EQ(0, outcome);
}

TEST(FileSourceErrorEquality, UnreadableWithDifferentReasonsDiffer) {
    EXPECT_NE(unreadable(FileReadFailureReason::permissionDenied), unreadable(FileReadFailureReason::invalidUTF8));
    EXPECT_NE(unreadable(FileReadFailureReason::invalidUTF8), unreadable(FileReadFailureReason::unknown));
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), unreadable(FileReadFailureReason::unknown));
}

TEST(FileSourceErrorEquality, NoSelectedFileEqualsOnlyItself) {
    EXPECT_EQ(noSelectedFile, noSelectedFile);
    EXPECT_NE(noSelectedFile, notFound);
    EXPECT_NE(noSelectedFile, unreadable(FileReadFailureReason::unknown));
}

}  // namespace
}  // namespace ledgerly::testing
