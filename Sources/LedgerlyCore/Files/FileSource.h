#pragma once

#include "LedgerlyCore/Files/FileSourceError.h"
#include "LedgerlyCore/Files/UTF8FileRead.h"
#include "LedgerlyCore/Platform/UserDefaults.h"

#include <filesystem>
#include <optional>
#include <string>

namespace ledgerly {

// Remembers which Markdown file the user selected (as one path string in the
// user defaults) and reads it whole as strict UTF-8. Holds no state of its
// own, so any number of instances over the same defaults agree.
class FileSource {
public:
    explicit FileSource(UserDefaults& defaults);

    // The selected file: the stored path, made absolute against the current
    // folder when relative; none when no path is stored. Not tested for existence.
    std::optional<std::filesystem::path> selectedFileURL() const;
    // Stores the path, or removes the key when given none.
    void setSelectedFileURL(const std::optional<std::filesystem::path>& url);

    // The selected file's whole text, unchanged but for a leading byte-order
    // mark. Throws FileSourceError, and nothing else.
    std::string loadSelectedMarkdown() const;
    // The same for `file`, the selection as read earlier: what a load away
    // from the main thread uses, which must not touch the user defaults.
    static std::string loadMarkdown(const std::optional<std::filesystem::path>& file);

private:
    static FileReadFailureReason readFailureReason(const UTF8FileRead& read);
    static bool fileExists(const std::filesystem::path& path);

    UserDefaults& defaults_;
    const std::string selectedPathKey_ = "selectedMarkdownPath";
};

}  // namespace ledgerly
