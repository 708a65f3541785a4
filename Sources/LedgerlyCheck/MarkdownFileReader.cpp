#include "MarkdownFileReader.h"

#include "LedgerlyCore/Files/FileSource.h"
#include "LedgerlyCore/Platform/InMemoryUserDefaults.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace ledgerly::check {
namespace {

// The raw bytes, or the errno of the failed call. Only used to explain a
// failure that the file source already reported.
struct RawRead {
    std::string bytes;
    int error = 0;
    bool notRegularFile = false;
};

RawRead readRawBytes(const std::string& path) {
    RawRead result;
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        result.error = errno;
        return result;
    }
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        result.error = errno;
    } else if (!S_ISREG(status.st_mode)) {
        result.notRegularFile = true;
    }
    if (result.error != 0 || result.notRegularFile) {
        ::close(descriptor);
        return result;
    }
    char buffer[65536];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count > 0) {
            result.bytes.append(buffer, static_cast<std::size_t>(count));
        } else if (count == 0 || errno != EINTR) {
            result.error = count == 0 ? 0 : errno;
            break;
        }
    }
    ::close(descriptor);
    return result;
}

std::string invalidUTF8Description(const std::string& path) {
    const RawRead raw = readRawBytes(path);
    std::size_t offset = 0;
    if (raw.error == 0 && !text::isValidUTF8(raw.bytes, &offset)) {
        return "not valid UTF-8 (first bad byte at offset " + std::to_string(offset) + ")";
    }
    return "not valid UTF-8";
}

std::string unknownFailureDescription(const std::string& path) {
    const RawRead raw = readRawBytes(path);
    if (raw.notRegularFile) {
        return "not a regular file";
    }
    if (raw.error != 0) {
        return std::strerror(raw.error);
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
        return invalidUTF8Description(path);
    case FileReadFailureReason::unknown:
        break;
    }
    return unknownFailureDescription(path);
}

}  // namespace

MarkdownFileRead readMarkdownFile(const std::string& path) {
    InMemoryUserDefaults defaults;
    FileSource source(defaults);
    source.setSelectedFileURL(std::filesystem::path(path));
    try {
        return MarkdownFileRead{source.loadSelectedMarkdown(), std::nullopt, {}};
    } catch (const FileSourceError& error) {
        if (std::holds_alternative<FileSourceError::NoSelectedFile>(error.value)) {
            // Only an empty path gets here: nothing can be found under it.
            return MarkdownFileRead{std::nullopt, FileSourceError{FileSourceError::SelectedFileNotFound{}},
                                    "not found"};
        }
        return MarkdownFileRead{std::nullopt, error, describe(error, path)};
    }
}

}  // namespace ledgerly::check
