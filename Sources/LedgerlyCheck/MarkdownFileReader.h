#pragma once

#include "LedgerlyCore/Files/FileSourceError.h"

#include <optional>
#include <string>

namespace ledgerly::check {

// A file's text, or why it could not be read with a line for the user.
struct MarkdownFileRead {
    std::optional<std::string> text;
    std::optional<FileSourceError> error;
    std::string errorDescription;  // "not found", "permission denied", ...
};

// Reads `path` with the application's reader of the selected file (strict
// UTF-8, no line-ending conversion), adding the detail the command line can
// show: the byte offset of the first bad byte, or the system's message.
MarkdownFileRead readMarkdownFile(const std::string& path);

}  // namespace ledgerly::check
