#include "CheckModes.h"
#include "CheckOptions.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

using namespace ledgerly::check;

class CheckToolTest : public ::testing::Test {
protected:
    std::string write(const std::string& name, const std::string& bytes) {
        return folder_.writeFile(name, bytes).string();
    }

    struct Run {
        int status = 0;
        std::string out;
        std::string errors;
    };

    Run run(CheckMode mode, const std::vector<std::string>& paths) {
        std::ostringstream out;
        std::ostringstream errors;
        const int status = runMode(mode, paths, out, errors);
        return Run{status, out.str(), errors.str()};
    }

    TempDirectory folder_;
};

TEST_F(CheckToolTest, CleanFileExitsZeroSilently) {
    const auto result = run(CheckMode::warnings, {write("clean.md", "# T\n- [a](https://example.com)\n")});
    EXPECT_EQ(kExitClean, result.status);
    EXPECT_EQ("", result.out);
    EXPECT_EQ("", result.errors);
}

TEST_F(CheckToolTest, WarningsArePrintedCompilerStyle) {
    const auto path = write("w.md", "- a\r\nsome prose\r\n- \r\n");
    const auto result = run(CheckMode::warnings, {path});
    EXPECT_EQ(kExitWarnings, result.status);
    EXPECT_EQ(
        path + ":2: Skipped unsupported line\n    | some prose\n" + path + ":3: Skipped empty list item\n    | -\n",
        result.out);
}

TEST_F(CheckToolTest, UnreadableFileWinsOverWarnings) {
    const auto warned = write("w.md", "prose");
    const auto missing = folder_.file("missing.md").string();
    const auto result = run(CheckMode::warnings, {warned, missing});
    EXPECT_EQ(kExitUnreadable, result.status);
    EXPECT_EQ("ledgerly-check: " + missing + ": not found\n", result.errors);
    EXPECT_NE(std::string::npos, result.out.find("Skipped unsupported line"));
}

TEST_F(CheckToolTest, InvalidUTF8NamesTheFirstBadByte) {
    const auto path = write("bad.md", std::string("- ok\n- caf\xC3\x28"));
    const auto result = run(CheckMode::warnings, {path});
    EXPECT_EQ(kExitUnreadable, result.status);
    EXPECT_EQ("ledgerly-check: " + path + ": not valid UTF-8 (first bad byte at offset 10)\n", result.errors);
}

TEST_F(CheckToolTest, FolderGetsTheSystemsView) {
    const auto result = run(CheckMode::warnings, {folder_.path().string()});
    EXPECT_EQ(kExitUnreadable, result.status);
    EXPECT_EQ("ledgerly-check: " + folder_.path().string() + ": not a regular file\n", result.errors);
}

TEST_F(CheckToolTest, JsonForOneFileIsAnObject) {
    const auto path = write("one.md", "# T\n");
    const auto result = run(CheckMode::json, {path});
    EXPECT_EQ(kExitClean, result.status);
    const auto json = nlohmann::ordered_json::parse(result.out);
    EXPECT_EQ(path, json.at("file"));
    EXPECT_EQ("T", json.at("document").at("title"));
    EXPECT_TRUE(json.at("error").is_null());
}

TEST_F(CheckToolTest, JsonForSeveralFilesIsAnArrayInArgumentOrder) {
    const auto first = write("1.md", "prose");
    const auto missing = folder_.file("nope.md").string();
    const auto bad = write("bad.md", "\xFF");
    const auto result = run(CheckMode::json, {first, missing, bad});
    EXPECT_EQ(kExitUnreadable, result.status);
    const auto json = nlohmann::ordered_json::parse(result.out);
    ASSERT_EQ(3u, json.size());
    EXPECT_EQ(first, json[0].at("file"));
    EXPECT_EQ(1, json[0].at("document").at("warnings").size());
    EXPECT_EQ(R"({"case":"selectedFileNotFound","reason":null})", json[1].at("error").dump());
    EXPECT_TRUE(json[1].at("document").is_null());
    EXPECT_EQ(R"({"case":"unreadableSelectedFile","reason":"invalidUTF8"})", json[2].at("error").dump());
}

// Editors that write a byte-order mark: one at the very start is no part of the text.
TEST_F(CheckToolTest, OneLeadingByteOrderMarkIsDropped) {
    const std::string bom = "\xEF\xBB\xBF";
    struct Case {
        std::string bytes;
        nlohmann::ordered_json title;
        std::vector<int> warningLines;
    };
    const Case cases[] = {
        {bom + "# Team Links\r\n- a\r\nprose\r\n", "Team Links", {3}},
        {bom + "---\ntags: x\n---\n# Notes\nprose\n", "Notes", {5}},
        {"- a\n" + bom + "# Later\n", nullptr, {2}},
        {bom + bom + "# Twice\n", nullptr, {1}},
    };
    for (const auto& c : cases) {
        const auto result = run(CheckMode::json, {write("bom.md", c.bytes)});
        const auto document = nlohmann::ordered_json::parse(result.out).at("document");
        EXPECT_EQ(c.title, document.at("title")) << c.bytes;
        std::vector<int> lines;
        for (const auto& warning : document.at("warnings")) {
            lines.push_back(warning.at("line"));
        }
        EXPECT_EQ(c.warningLines, lines) << c.bytes;
    }
}

TEST_F(CheckToolTest, TreeStartsWithTheFileName) {
    const auto path = write("t.md", "# Home\n## Work\n- x\n");
    const auto result = run(CheckMode::tree, {path});
    EXPECT_EQ(kExitClean, result.status);
    EXPECT_EQ(path + "\nTitle: \"Home\"\nItems:\n  - submenu \"Work\"\n    - snippet \"x\"\nWarnings: none\n",
              result.out);
}

TEST(CheckCommandLine, ModesAndFiles) {
    const auto plain = parseCommandLine({"a.md", "b.md"});
    ASSERT_TRUE(plain.options);
    EXPECT_EQ(CheckMode::warnings, plain.options->mode);
    EXPECT_EQ((std::vector<std::string>{"a.md", "b.md"}), plain.options->files);

    const auto tree = parseCommandLine({"--tree", "a.md"});
    ASSERT_TRUE(tree.options);
    EXPECT_EQ(CheckMode::tree, tree.options->mode);

    const auto dashed = parseCommandLine({"--json", "--", "--tree"});
    ASSERT_TRUE(dashed.options);
    EXPECT_EQ(CheckMode::json, dashed.options->mode);
    EXPECT_EQ(std::vector<std::string>{"--tree"}, dashed.options->files);
}

TEST(CheckCommandLine, MistakesAreReported) {
    EXPECT_FALSE(parseCommandLine({}).options);
    EXPECT_FALSE(parseCommandLine({"--tree"}).options);
    EXPECT_FALSE(parseCommandLine({"--tree", "--json", "a.md"}).options);
    const auto unknown = parseCommandLine({"--menu-please", "a.md"});
    EXPECT_FALSE(unknown.options);
    EXPECT_EQ("unknown option '--menu-please'", unknown.error);
    ASSERT_TRUE(parseCommandLine({"--help"}).options);
    EXPECT_TRUE(parseCommandLine({"--version"}).options->showVersion);
}

}  // namespace
}  // namespace ledgerly::testing
