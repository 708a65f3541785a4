#pragma once

#include <variant>

namespace ledgerly {

// Why an existing selected file could not be read.
enum class FileReadFailureReason { permissionDenied, invalidUTF8, unknown };

// Why loading the selected file failed. FileSource::loadSelectedMarkdown()
// throws it; it is the only error that call throws.
struct FileSourceError {
    struct UnreadableSelectedFile {
        FileReadFailureReason reason = FileReadFailureReason::unknown;
        bool operator==(const UnreadableSelectedFile&) const = default;
    };
    struct NoSelectedFile {
        bool operator==(const NoSelectedFile&) const = default;
    };
    struct SelectedFileNotFound {
        bool operator==(const SelectedFileNotFound&) const = default;
    };

    std::variant<UnreadableSelectedFile, NoSelectedFile, SelectedFileNotFound> value;

    bool operator==(const FileSourceError&) const = default;
};

}  // namespace ledgerly
