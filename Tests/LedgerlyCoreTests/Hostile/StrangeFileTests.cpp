#include "HostileRoad.h"

#include "LedgerlyCore/Text/UnicodeText.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace ledgerly::testing {
namespace {

// A fixed pseudo-random byte stream, so that a failure can be replayed.
class Bytes {
public:
    std::uint8_t next() {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint8_t>(state_ >> 56);
    }

private:
    std::uint64_t state_ = 0x2545F4914F6CDD1DULL;
};

std::string binaryGarbage(std::size_t size) {
    Bytes bytes;
    std::string text(size, '\0');
    for (char& byte : text) {
        byte = static_cast<char>(bytes.next());
    }
    return text;
}

void appendCodePoint(std::string& text, char32_t c) {
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Well-formed UTF-8 that is nothing like Markdown: NULs, controls, line
// breaks of every kind, combining marks, the dialect's markers, any plane.
std::string utf8Garbage(std::size_t codePoints) {
    static constexpr char32_t kPicks[] = {0,      1,      0x1B,   0x7F,   '\t', '\n',   '\r', 0x85, 0x2028,
                                          0x2029, 0x0301, 0x200D, 0xFEFF, 0xA0, 0x3000, '#',  '-',  '*',
                                          '[',    ']',    '(',    ')',    '>',  '<',    '@',  ' '};
    Bytes bytes;
    std::string text;
    for (std::size_t i = 0; i < codePoints; ++i) {
        const std::uint8_t pick = bytes.next();
        char32_t c = kPicks[pick % std::size(kPicks)];
        if (pick >= 128) {
            c = (static_cast<char32_t>(bytes.next()) << 12 | static_cast<char32_t>(bytes.next()) << 4) % 0x110000;
            if (c >= 0xD800 && c <= 0xDFFF) {
                c = 0xFFFD;
            }
        }
        appendCodePoint(text, c);
    }
    return text;
}

TEST(HostileStrangeFile, BinaryGarbageIsUnreadableAsUTF8) {
    const TempDirectory folder;
    const auto result = readParseAndBuild(folder.writeFile("garbage.md", binaryGarbage(1 << 20)));
    EXPECT_EQ(unreadable(FileReadFailureReason::invalidUTF8), result.outcome.menuState);
    EXPECT_EQ("Can't read selected file", result.menu.entries[0].title);
}

TEST(HostileStrangeFile, ValidUTF8GarbageWithNULsAndControlsParses) {
    const TempDirectory folder;
    const std::string text = utf8Garbage(1 << 20);
    ASSERT_TRUE(text::isValidUTF8(text));
    ASSERT_NE(std::string::npos, text.find('\0'));
    const auto result = readParseAndBuild(folder.writeFile("utf8.md", text));
    const LedgerlyDocument& document = result.document();
    EXPECT_FALSE(document.warnings.empty());
    for (const ParserWarning& warning : document.warnings) {
        ASSERT_LE(1, warning.line);
        ASSERT_TRUE(!warning.sourceExcerpt || text::characterCount(*warning.sourceExcerpt) <= 100);
    }
}

TEST(HostileStrangeFile, NULsInsideALinkLineStayInTheText) {
    const TempDirectory folder;
    const std::string line("- snippet\0with\0NULs", 19);
    const auto result = readParseAndBuild(folder.writeFile("nul.md", line));
    ASSERT_EQ(1U, result.document().items.size());
    EXPECT_EQ(line.substr(2), std::get<BookmarkSnippet>(result.document().items[0].value).displayTitle());
}

// A folder passes the existence test and fails the read: never a document, never a crash.
TEST(HostileStrangeFile, FolderIsUnreadable) {
    const TempDirectory folder;
    std::filesystem::create_directory(folder.file("folder.md"));
    const auto result = readParseAndBuild(folder.file("folder.md"));
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), result.outcome.menuState);
}

// Opening a FIFO for reading waits for a writer, and reading one waits for
// data; the file source opens without blocking and refuses what is not a
// regular file before it reads. A hang here is a failure by ctest's timeout.
TEST(HostileStrangeFile, FIFOWithoutWriterDoesNotHang) {
    const TempDirectory folder;
    const auto fifo = folder.file("fifo.md");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    const auto result = readParseAndBuild(fifo);
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), result.outcome.menuState);
}

TEST(HostileStrangeFile, FIFOWithASilentWriterDoesNotHang) {
    const TempDirectory folder;
    const auto fifo = folder.file("fifo.md");
    ASSERT_EQ(0, ::mkfifo(fifo.c_str(), 0600));
    // Read-write keeps a writer on the FIFO without blocking this thread; it never writes.
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_LE(0, writer);
    const auto result = readParseAndBuild(fifo);
    ::close(writer);
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), result.outcome.menuState);
}

TEST(HostileStrangeFile, LinkToAnEndlessDeviceIsRefusedUnread) {
    const TempDirectory folder;
    std::filesystem::create_symlink("/dev/zero", folder.file("zero.md"));
    const auto result = readParseAndBuild(folder.file("zero.md"));
    EXPECT_EQ(unreadable(FileReadFailureReason::unknown), result.outcome.menuState);
}

TEST(HostileStrangeFile, PathWithSpacesAndNonASCIILettersReads) {
    const TempDirectory folder;
    std::filesystem::create_directory(folder.file("Mes signets \u00E9t\u00E9"));
    const auto path = folder.writeFile("Mes signets \u00E9t\u00E9/\u30D6\u30C3\u30AF \u00F1and\u00FA.md",
                                       "- [Docs](https://example.com)\n");
    const auto result = readParseAndBuild(path);
    ASSERT_EQ(1U, result.document().items.size());
    EXPECT_EQ("\u30D6\u30C3\u30AF \u00F1and\u00FA", result.outcome.statusTitle);
    EXPECT_EQ("Status: OK", result.statusEntry().title);
}

TEST(HostileStrangeFile, DanglingSymbolicLinkIsNotFound) {
    const TempDirectory folder;
    std::filesystem::create_symlink(folder.file("gone.md"), folder.file("link.md"));
    const auto result = readParseAndBuild(folder.file("link.md"));
    EXPECT_EQ(LedgerlyMenuState{LedgerlyMenuState::SelectedFileNotFound{}}, result.outcome.menuState);
}

}  // namespace
}  // namespace ledgerly::testing
