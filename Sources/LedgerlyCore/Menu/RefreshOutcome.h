#pragma once

#include "LedgerlyCore/Files/FileSourceError.h"
#include "LedgerlyCore/Menu/LedgerlyMenuState.h"
#include "LedgerlyCore/Models/BookmarkModel.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace ledgerly {

// What one refresh of the selected file leads to: the new menu state and the
// status item's title. The application and the command-line checker both
// derive it here, so they always agree.
struct RefreshOutcome {
    // A load that failed with something other than a FileSourceError.
    struct OtherLoadFailure {
        bool operator==(const OtherLoadFailure&) const = default;
    };
    // The selected file's text, or why it could not be loaded.
    using LoadResult = std::variant<std::string, FileSourceError, OtherLoadFailure>;
    using Parse = std::function<LedgerlyDocument(std::string_view text)>;
    using Load = std::function<std::string()>;

    LedgerlyMenuState menuState;
    std::string statusTitle;

    // The outcome of `result`; `parse` is called only for text.
    static RefreshOutcome make(const LoadResult& result, const std::optional<std::filesystem::path>& selectedFileURL,
                               const Parse& parse);
    // Runs `load` (which throws FileSourceError, or anything else for an
    // unforeseen failure) and returns the outcome of what it gave.
    static RefreshOutcome load(const Load& load, const std::optional<std::filesystem::path>& selectedFileURL,
                               const Parse& parse);

    bool operator==(const RefreshOutcome&) const = default;
};

// The status item's title when the document gives none: the selected file's
// name without its extension, or "Ledgerly" when no file is selected.
std::string selectedFileFallbackTitle(const std::optional<std::filesystem::path>& selectedFileURL);

}  // namespace ledgerly
