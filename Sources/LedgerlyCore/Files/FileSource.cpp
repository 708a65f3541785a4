#include "LedgerlyCore/Files/FileSource.h"

#include "LedgerlyCore/Files/UTF8FileRead.h"

#include <cerrno>

#include <system_error>
#include <utility>

namespace ledgerly {

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
        throw FileSourceError{FileSourceError::SelectedFileNotFound{}};
    }
    auto read = UTF8FileRead::read(*path);
    if (read.failure == UTF8FileRead::Failure::none) {
        return std::move(read.text);
    }
    // The file may have vanished between the existence test and the read.
    if (!fileExists(*path)) {
        throw FileSourceError{FileSourceError::SelectedFileNotFound{}};
    }
    const auto reason = readFailureReason(read);
    throw FileSourceError{FileSourceError::UnreadableSelectedFile{reason}};
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
