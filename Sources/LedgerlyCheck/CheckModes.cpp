#include "CheckModes.h"

#include "MenuMode.h"

#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "LedgerlyReports/DocumentJson.h"
#include "LedgerlyReports/DocumentTreePrinter.h"

#include <string>

namespace ledgerly::check {

std::vector<CheckedFile> checkFiles(const std::vector<std::string>& paths, std::ostream& errors,
                                    MarkdownParser::Keep keep) {
    const MarkdownParser parser;
    std::vector<CheckedFile> files;
    for (const auto& path : paths) {
        CheckedFile file{path, readMarkdownFile(path), std::nullopt};
        if (file.read.text) {
            file.document = parser.parse(*file.read.text, keep);
            file.read.text.reset();  // the document holds what is needed
        } else {
            errors << "ledgerly-check: " << path << ": " << file.read.errorDescription << '\n';
        }
        files.push_back(std::move(file));
    }
    return files;
}

int exitStatus(const std::vector<CheckedFile>& files) {
    int status = kExitClean;
    for (const auto& file : files) {
        if (!file.document) {
            return kExitUnreadable;
        }
        if (!file.document->warnings.empty()) {
            status = kExitWarnings;
        }
    }
    return status;
}

void printWarnings(const std::vector<CheckedFile>& files, std::ostream& out) {
    // Composed in a buffer written in large pieces: a large file has tens of
    // thousands of warnings, and a stream insertion per piece of each costs more.
    std::string buffer;
    constexpr std::size_t kFlushBytes = 1 << 16;
    for (const auto& file : files) {
        if (!file.document) {
            continue;
        }
        for (const auto& warning : file.document->warnings) {
            buffer.append(file.path).append(1, ':').append(std::to_string(warning.line)).append(": ");
            buffer.append(warning.message).append(1, '\n');
            if (warning.sourceExcerpt) {
                buffer.append("    | ").append(*warning.sourceExcerpt).append(1, '\n');
            }
            if (buffer.size() >= kFlushBytes) {
                out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
                buffer.clear();
            }
        }
    }
    out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
}

void printTrees(const std::vector<CheckedFile>& files, std::ostream& out) {
    bool first = true;
    for (const auto& file : files) {
        if (!file.document) {
            continue;
        }
        out << (first ? "" : "\n") << file.path << '\n' << reports::documentTree(*file.document);
        first = false;
    }
}

void printJson(const std::vector<CheckedFile>& files, std::ostream& out) {
    auto array = nlohmann::ordered_json::array();
    for (const auto& file : files) {
        array.push_back(reports::fileReportToJson(file.path, file.document, file.read.error));
    }
    out << (files.size() == 1 ? array.front() : array).dump(2) << '\n';
}

int runMode(CheckMode mode, const std::vector<std::string>& paths, std::ostream& out, std::ostream& errors) {
    if (mode == CheckMode::menu || mode == CheckMode::menuJson) {
        return runMenuMode(paths.front(), mode == CheckMode::menuJson, out);
    }
    // Kept until the process ends, which frees them at once: freeing the tree
    // of a large file entry by entry costs more than a tenth of its check.
    static auto* const keptUntilExit = new std::vector<std::vector<CheckedFile>>();
    // Listing warnings needs no entries: a parse that keeps none does a third less work on a large file.
    const auto keep =
        mode == CheckMode::warnings ? MarkdownParser::Keep::warningsOnly : MarkdownParser::Keep::wholeDocument;
    const auto& files = keptUntilExit->emplace_back(checkFiles(paths, errors, keep));
    switch (mode) {
    case CheckMode::warnings:
        printWarnings(files, out);
        break;
    case CheckMode::tree:
        printTrees(files, out);
        break;
    case CheckMode::json:
        printJson(files, out);
        break;
    case CheckMode::menu:
    case CheckMode::menuJson:
        break;  // handled above: the menu reads its file through the file source
    }
    return exitStatus(files);
}

}  // namespace ledgerly::check
