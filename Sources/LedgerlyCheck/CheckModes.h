#pragma once

#include "CheckOptions.h"
#include "MarkdownFileReader.h"

#include "LedgerlyCore/Models/BookmarkModel.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace ledgerly::check {

// Exit statuses of the tool.
inline constexpr int kExitClean = 0;
inline constexpr int kExitWarnings = 1;
inline constexpr int kExitUnreadable = 2;

// One file given on the command line, read and (when readable) parsed.
struct CheckedFile {
    std::string path;
    MarkdownFileRead read;
    std::optional<LedgerlyDocument> document;
};

// Reads and parses every file, keeping what `keep` says; a file that cannot be read is reported on `errors`.
std::vector<CheckedFile> checkFiles(const std::vector<std::string>& paths, std::ostream& errors,
                                    MarkdownParser::Keep keep = MarkdownParser::Keep::wholeDocument);

// 0 when no file has warnings, 1 when any has, 2 when any could not be read.
int exitStatus(const std::vector<CheckedFile>& files);

// FILE:LINE: MESSAGE lines, each followed by "    | EXCERPT" when there is one.
void printWarnings(const std::vector<CheckedFile>& files, std::ostream& out);
// Each readable file as an indented tree.
void printTrees(const std::vector<CheckedFile>& files, std::ostream& out);
// One JSON object, or an array of them for several files.
void printJson(const std::vector<CheckedFile>& files, std::ostream& out);

// Runs `mode` over the files and returns the exit status.
int runMode(CheckMode mode, const std::vector<std::string>& paths, std::ostream& out, std::ostream& errors);

}  // namespace ledgerly::check
