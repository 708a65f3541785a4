#include "LedgerlyCore/Menu/StatusIssue.h"

#include <algorithm>

namespace ledgerly {
namespace {

constexpr const char* kUnreadableTitle = "Can't read selected file";

std::string unreadableDetail(FileReadFailureReason reason) {
    switch (reason) {
    case FileReadFailureReason::permissionDenied:
        return "Ledgerly needs permission to read this Markdown file.";
    case FileReadFailureReason::invalidUTF8:
        return "The selected file could not be loaded as UTF-8 Markdown.";
    case FileReadFailureReason::unknown:
        break;
    }
    return "The selected file could not be loaded as Markdown.";
}

std::vector<StatusIssue> warningIssues(const std::vector<ParserWarning>& warnings) {
    std::vector<StatusIssue> issues;
    issues.reserve(warnings.size());
    for (const ParserWarning& warning : warnings) {
        issues.push_back(StatusIssue{StatusIssue::Warning{warning}});
    }
    return issues;
}

std::string counted(std::size_t number, const std::string& noun) {
    return "Status: " + std::to_string(number) + " " + noun + (number == 1 ? "" : "s");
}

}  // namespace

std::string StatusIssue::report() const {
    if (const auto* warning = std::get_if<Warning>(&value)) {
        return warning->warning.clipboardText();
    }
    const auto& error = std::get<Error>(value);
    std::string text = "Ledgerly error\n" + error.title + "\n" + error.detail;
    if (error.path) {
        text += "\n" + *error.path;
    }
    return text;
}

std::string StatusIssue::entryTitle() const {
    if (const auto* warning = std::get_if<Warning>(&value)) {
        return "Line " + std::to_string(warning->warning.line) + ": " + warning->warning.message;
    }
    return std::get<Error>(value).title;
}

std::vector<StatusIssue> statusIssues(const LedgerlyMenuState& state,
                                      const std::optional<std::filesystem::path>& selectedFileURL) {
    std::optional<std::string> path;
    if (selectedFileURL) {
        path = selectedFileURL->string();
    }
    const auto error = [&path](std::string title, std::string detail) {
        return std::vector<StatusIssue>{StatusIssue{StatusIssue::Error{std::move(title), std::move(detail), path}}};
    };
    if (const auto* document = std::get_if<LedgerlyMenuState::Document>(&state.value)) {
        return warningIssues(document->document.warnings);
    }
    if (const auto* unavailable = std::get_if<LedgerlyMenuState::Unavailable>(&state.value)) {
        return warningIssues(unavailable->warnings);
    }
    if (std::holds_alternative<LedgerlyMenuState::SelectedFileNotFound>(state.value)) {
        return error("Selected file not found", "The Markdown file may have been moved, renamed, or deleted.");
    }
    if (const auto* unreadable = std::get_if<LedgerlyMenuState::SelectedFileUnreadable>(&state.value)) {
        return error(kUnreadableTitle, unreadableDetail(unreadable->reason));
    }
    return {};
}

std::string statusTitle(const std::vector<StatusIssue>& issues) {
    if (issues.empty()) {
        return "Status: OK";
    }
    const auto errors = static_cast<std::size_t>(std::count_if(issues.begin(), issues.end(), [](const auto& issue) {
        return std::holds_alternative<StatusIssue::Error>(issue.value);
    }));
    return errors > 0 ? counted(errors, "error") : counted(issues.size(), "warning");
}

}  // namespace ledgerly
