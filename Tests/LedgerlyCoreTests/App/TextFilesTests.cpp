#include "LedgerlyCore/App/StarterFile.h"
#include "LedgerlyCore/App/StarterFileError.h"
#include "LedgerlyCore/App/TextFileError.h"
#include "LedgerlyCore/App/TextFiles.h"

#include "Support/FakeBundleResources.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {
namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::size_t entryCount(const fs::path& folder) {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// Sets the process's umask for one test and puts the old one back.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }

private:
    mode_t previous_;
};

TEST(TextFilesWrite, NewFileHoldsTheTextWithTheUmaskPermissions) {
    TempDirectory folder;
    const ScopedUmask umask(027);
    const auto path = folder.file("new.md");
    writeUTF8TextFileAtomically(path, "# New\n\xE2\x9C\x93\n");
    EXPECT_EQ("# New\n\xE2\x9C\x93\n", contentsOf(path));
    EXPECT_EQ(fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
              fs::status(path).permissions() & fs::perms::mask);
    EXPECT_EQ(1u, entryCount(folder.path()));
}

TEST(TextFilesWrite, EmptyTextMakesAnEmptyFile) {
    TempDirectory folder;
    const auto path = folder.writeFile("old.md", "old content");
    writeUTF8TextFileAtomically(path, "");
    EXPECT_EQ("", contentsOf(path));
}

TEST(TextFilesWrite, ReplacingSwapsTheFileInsteadOfRewritingIt) {
    TempDirectory folder;
    const auto path = folder.writeFile("old.md", "old content that is longer");
    // A reader holding the old file keeps seeing all of the old text.
    std::ifstream reader(path, std::ios::binary);
    writeUTF8TextFileAtomically(path, "new");
    EXPECT_EQ("new", contentsOf(path));
    EXPECT_EQ("old content that is longer",
              std::string(std::istreambuf_iterator<char>(reader), std::istreambuf_iterator<char>()));
}

TEST(TextFilesWrite, FailureNamesTheFileAndTheReason) {
    TempDirectory folder;
    const auto blocker = folder.writeFile("blocker", "x");
    try {
        writeUTF8TextFileAtomically(blocker / "starter.ledgerly.md", "text");
        FAIL() << "the write must fail";
    } catch (const TextFileError& error) {
        EXPECT_EQ(TextFileError::Operation::write, error.operation());
        EXPECT_EQ(ENOTDIR, error.code());
        EXPECT_EQ("The file \"starter.ledgerly.md\" could not be saved in the folder \"" + blocker.string() +
                      "\": Not a directory.",
                  error.errorDescription());
    }
}

TEST(TextFilesWrite, FailedRenameRemovesTheTemporaryFile) {
    TempDirectory folder;
    fs::create_directory(folder.file("taken"));
    folder.writeFile("taken/inside", "keep");
    EXPECT_THROW(writeUTF8TextFileAtomically(folder.file("taken"), "text"), TextFileError);
    EXPECT_EQ(1u, entryCount(folder.path()));
    EXPECT_EQ("keep", contentsOf(folder.file("taken/inside")));
}

struct ReadFailureCase {
    std::string name;
    std::function<fs::path(const TempDirectory&)> make;
    int code;
};

void PrintTo(const ReadFailureCase& readFailureCase, std::ostream* out) { *out << readFailureCase.name; }

class TextFilesReadFailure : public ::testing::TestWithParam<ReadFailureCase> {};

TEST_P(TextFilesReadFailure, ThrowsWithTheReason) {
    TempDirectory folder;
    const auto path = GetParam().make(folder);
    try {
        readUTF8TextFile(path);
        FAIL() << "the read must fail";
    } catch (const TextFileError& error) {
        EXPECT_EQ(TextFileError(TextFileError::Operation::read, path, GetParam().code), error);
        EXPECT_NE(std::string::npos, error.errorDescription().find(path.filename().string()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Reasons, TextFilesReadFailure,
    ::testing::Values(ReadFailureCase{"Missing", [](const TempDirectory& f) { return f.file("missing.md"); }, ENOENT},
                      ReadFailureCase{"Folder",
                                      [](const TempDirectory& f) {
                                          fs::create_directory(f.file("folder.md"));
                                          return f.file("folder.md");
                                      },
                                      EISDIR},
                      ReadFailureCase{"Latin1",
                                      [](const TempDirectory& f) { return f.writeFile("latin.md", "caf\xE9"); }, 0},
                      ReadFailureCase{"TruncatedSequence",
                                      [](const TempDirectory& f) { return f.writeFile("cut.md", "ok \xE2\x9C"); }, 0}),
    [](const ::testing::TestParamInfo<ReadFailureCase>& info) { return info.param.name; });

TEST(TextFilesRead, InvalidUTF8IsDescribedAsSuch) {
    const TextFileError error(TextFileError::Operation::read, "/x/latin.md", 0);
    EXPECT_EQ("The file \"latin.md\" could not be opened because it is not valid UTF-8 text.",
              error.errorDescription());
}

TEST(TextFilesRead, WholeTextComesBackUnchangedButForALeadingByteOrderMark) {
    TempDirectory folder;
    const std::string text = "# Title\r\n\tline\n\n";
    EXPECT_EQ(text, readUTF8TextFile(folder.writeFile("t.md", "\xEF\xBB\xBF" + text)));
}

TEST(StarterFileErrorText, TemplateMissingHasItsDescription) {
    const auto error = StarterFileError::templateMissing();
    EXPECT_EQ("Ledgerly could not find its bundled starter Markdown file.", error.errorDescription());
    EXPECT_STREQ(error.what(), error.errorDescription().c_str());
    EXPECT_EQ(StarterFileError::templateMissing(), error);
}

TEST(StarterFileCandidates, BundleEntriesOnlyWhenPresentThenTheSamples) {
    FakeBundleResources bundle;
    EXPECT_EQ((std::vector<fs::path>{"/cwd/Samples/starter.ledgerly.md"}),
              StarterFile::templateCandidates(bundle, "/cwd"));
    bundle.add("starter", "md", "/bundle/starter.md");
    bundle.add("starter", "ledgerly.md", "/bundle/starter.ledgerly.md");
    EXPECT_EQ((std::vector<fs::path>{"/bundle/starter.ledgerly.md", "/bundle/starter.md",
                                     "/cwd/Samples/starter.ledgerly.md"}),
              StarterFile::templateCandidates(bundle, "/cwd"));
}

TEST(StarterFileCandidates, NoFolderGivenMeansTheCurrentOneWhenLookingUp) {
    FakeBundleResources bundle;
    // Relative: the system resolves it against the current folder of the moment.
    EXPECT_EQ((std::vector<fs::path>{"Samples/starter.ledgerly.md"}), StarterFile::templateCandidates(bundle, {}));
}

}  // namespace
}  // namespace ledgerly::testing
