#include "LedgerlyCore/Files/FileSource.h"

#include "LedgerlyCore/Files/UTF8FileRead.h"
#include "LedgerlyCore/Platform/Log.h"

#include <cerrno>

#include <system_error>
#include <utility>

namespace ledgerly {
namespace {

// A missing file is routine (not made yet, moved away by a sync tool), and the menu says so.
FileSourceError notFound(const std::filesystem::path& path) {
    logDebug(LogCategory::file, "The selected file \"" + path.string() + "\" is not there");
    return FileSourceError{FileSourceError::SelectedFileNotFound{}};
}

std::string failureText(const UTF8FileRead& read) {
    switch (read.failure) {
    case UTF8FileRead::Failure::malformedUTF8:
        return "it is not valid UTF-8";
    case UTF8FileRead::Failure::notRegularFile:
        return "it is not a regular file";
    case UTF8FileRead::Failure::systemError:
    case UTF8FileRead::Failure::none:
        break;
    }
    // Not strerror: loads run on a worker thread too.
    return std::generic_category().message(read.errorCode);
}

}  // namespace

FileSource::FileSource(UserDefaults& defaults) : defaults_(defaults) {}

std::optional<std::filesystem::path> FileSource::selectedFileURL() const {
    const auto stored = defaults_.string(selectedPathKey_);
    if (!stored) {
        return std::nullopt;
    }
    std::filesystem::path path(*stored);
    if (path.empty() || path.is_absolute()) {
        return path;
    }
    std::error_code error;
    auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute;
}

void FileSource::setSelectedFileURL(const std::optional<std::filesystem::path>& url) {
    if (url) {
        defaults_.setString(selectedPathKey_, url->string());
    } else {
        defaults_.remove(selectedPathKey_);
    }
}

std::string FileSource::loadSelectedMarkdown() const { return loadMarkdown(selectedFileURL()); }

std::string FileSource::loadMarkdown(const std::optional<std::filesystem::path>& path) {
    if (!path) {
        throw FileSourceError{FileSourceError::NoSelectedFile{}};
    }
    if (!fileExists(*path)) {
        throw notFound(*path);
    }
    auto read = UTF8FileRead::read(*path);
    if (read.failure == UTF8FileRead::Failure::none) {
        return std::move(read.text);
    }
    // The file may have vanished between the existence test and the read.
    if (!fileExists(*path)) {
        throw notFound(*path);
    }
    // The menu shows only the kind of failure; the system's own reason goes to the log.
    logWarning(LogCategory::file, "Could not read the selected file \"" + path->string() + "\": " + failureText(read));
    throw FileSourceError{FileSourceError::UnreadableSelectedFile{readFailureReason(read)}};
}

FileReadFailureReason FileSource::readFailureReason(const UTF8FileRead& read) {
    if (read.failure == UTF8FileRead::Failure::malformedUTF8) {
        return FileReadFailureReason::invalidUTF8;
    }
    if (read.failure == UTF8FileRead::Failure::systemError && (read.errorCode == EACCES || read.errorCode == EPERM)) {
        return FileReadFailureReason::permissionDenied;
    }
    return FileReadFailureReason::unknown;
}

bool FileSource::fileExists(const std::filesystem::path& path) {
    // Follows symbolic links, so a dangling link counts as nothing there; a folder exists.
    std::error_code error;
    return std::filesystem::exists(path, error);
}

}  // namespace ledgerly
