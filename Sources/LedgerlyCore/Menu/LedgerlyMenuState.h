#pragma once

#include "LedgerlyCore/Files/FileSourceError.h"
#include "LedgerlyCore/Models/BookmarkModel.h"

#include <string>
#include <variant>
#include <vector>

namespace ledgerly {

// The outcome of the last attempt to read and parse the selected file; the
// whole status menu is built from it. Replaced whole on every refresh.
struct LedgerlyMenuState {
    // The file was read and parsed (also when the document has no items).
    struct Document {
        LedgerlyDocument document;
        bool operator==(const Document&) const = default;
    };
    // The file exists but could not be read.
    struct SelectedFileUnreadable {
        FileReadFailureReason reason = FileReadFailureReason::unknown;
        bool operator==(const SelectedFileUnreadable&) const = default;
    };
    // The read failed in a way the file source does not foresee.
    struct Unavailable {
        std::string message;
        std::vector<ParserWarning> warnings;
        bool operator==(const Unavailable&) const = default;
    };
    // No file is selected; also the state before the first refresh.
    struct NoFileSelected {
        bool operator==(const NoFileSelected&) const = default;
    };
    // A file is selected but nothing exists at its path.
    struct SelectedFileNotFound {
        bool operator==(const SelectedFileNotFound&) const = default;
    };

    std::variant<Document, SelectedFileUnreadable, Unavailable, NoFileSelected, SelectedFileNotFound> value =
        NoFileSelected{};

    bool operator==(const LedgerlyMenuState&) const = default;
};

}  // namespace ledgerly
