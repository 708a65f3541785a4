#pragma once

#include "LedgerlyCore/Menu/LedgerlyMenuState.h"
#include "LedgerlyCore/Models/BookmarkModel.h"

#include <filesystem>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ledgerly {

// One thing the status entry reports: a parser warning, or why the selected
// file cannot be shown.
struct StatusIssue {
    struct Warning {
        ParserWarning warning;
        bool operator==(const Warning&) const = default;
    };
    struct Error {
        std::string title;
        std::string detail;
        std::optional<std::string> path;  // the selected file's plain path, when one is selected
        bool operator==(const Error&) const = default;
    };

    std::variant<Warning, Error> value;

    // The plain-text report that choosing the issue's entry copies.
    std::string report() const;
    // The title of the issue's entry.
    std::string entryTitle() const;

    bool operator==(const StatusIssue&) const = default;
};

// The issues of `state`, in order.
std::vector<StatusIssue> statusIssues(const LedgerlyMenuState& state,
                                      const std::optional<std::filesystem::path>& selectedFileURL);

// "Status: OK", or a count of errors, or else of warnings.
std::string statusTitle(const std::vector<StatusIssue>& issues);

}  // namespace ledgerly
