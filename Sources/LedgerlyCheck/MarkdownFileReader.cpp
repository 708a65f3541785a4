#include "MarkdownFileReader.h"

#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Files/UTF8FileRead.h"

#include <cstring>

namespace ledgerly::check {
namespace {

// The detail behind a failure that the file source reported, from a second
// read of the same file: only failures pay for it.
std::string describeInvalidUTF8(const std::string& path) {
    const UTF8FileRead read = UTF8FileRead::read(path);
    if (read.failure == UTF8FileRead::Failure::malformedUTF8) {
        return "not valid UTF-8 (first bad byte at offset " + std::to_string(read.firstInvalidByte) + ")";
    }
    return "not valid UTF-8";
}

std::string describeUnknownFailure(const std::string& path) {
    const UTF8FileRead read = UTF8FileRead::read(path);
    if (read.failure == UTF8FileRead::Failure::notRegularFile) {
        return "not a regular file";
    }
    if (read.failure == UTF8FileRead::Failure::systemError) {
        return std::strerror(read.errorCode);
    }
    return "could not be read";
}

std::string describe(const FileSourceError& error, const std::string& path) {
    const auto* unreadable = std::get_if<FileSourceError::UnreadableSelectedFile>(&error.value);
    if (unreadable == nullptr) {
        return "not found";
    }
    switch (unreadable->reason) {
    case FileReadFailureReason::permissionDenied:
        return "permission denied";
    case FileReadFailureReason::invalidUTF8:
        return describeInvalidUTF8(path);
    case FileReadFailureReason::unknown:
        break;
    }
    return describeUnknownFailure(path);
}

}  // namespace

MarkdownFileRead readMarkdownFile(const std::string& path) {
    try {
        return MarkdownFileRead{FileSource::loadMarkdown(std::filesystem::path(path)), std::nullopt, {}};
    } catch (const FileSourceError& error) {
        return MarkdownFileRead{std::nullopt, error, describe(error, path)};
    }
}

}  // namespace ledgerly::check
