#include "LedgerlyCore/Files/FileSource.h"

#include "LedgerlyCore/Text/UnicodeText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <system_error>

namespace ledgerly {
namespace {

// Closes the descriptor when the read is done, whichever way it ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

// Reads to the end, retrying interrupted calls; the errno of a failure otherwise.
// Reads straight into `bytes`, sized for the whole file up front, so that the
// text is copied once, by the kernel.
std::optional<int> readAll(int descriptor, std::size_t sizeHint, std::string& bytes) {
    std::size_t size = 0;
    // One byte more than expected, so that the end shows as a read of 0 without growing.
    bytes.resize(sizeHint + 1);
    for (;;) {
        if (size == bytes.size()) {
            bytes.resize(bytes.size() * 2);  // the file grew while being read
        }
        const ssize_t count = ::read(descriptor, bytes.data() + size, bytes.size() - size);
        if (count > 0) {
            size += static_cast<std::size_t>(count);
        } else if (count == 0) {
            bytes.resize(size);
            return std::nullopt;
        } else if (errno != EINTR) {
            return errno;
        }
    }
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
        throw FileSourceError{FileSourceError::SelectedFileNotFound{}};
    }
    auto result = readUTF8File(*path);
    if (auto* text = std::get_if<std::string>(&result)) {
        return std::move(*text);
    }
    // The file may have vanished between the existence test and the read.
    if (!fileExists(*path)) {
        throw FileSourceError{FileSourceError::SelectedFileNotFound{}};
    }
    const auto reason = readFailureReason(std::get<ReadFailure>(result));
    throw FileSourceError{FileSourceError::UnreadableSelectedFile{reason}};
}

FileSource::ReadResult FileSource::readUTF8File(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        return ReadFailure{SystemError{errno}};
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return ReadFailure{SystemError{errno}};
    }
    if (!S_ISREG(status.st_mode)) {
        return ReadFailure{NotRegularFile{}};
    }
    std::string bytes;
    if (const auto error = readAll(file.get(), static_cast<std::size_t>(status.st_size), bytes)) {
        return ReadFailure{SystemError{*error}};
    }
    if (!text::isValidUTF8(bytes)) {
        return ReadFailure{MalformedUTF8{}};
    }
    return bytes;
}

FileReadFailureReason FileSource::readFailureReason(const ReadFailure& failure) {
    if (std::holds_alternative<MalformedUTF8>(failure)) {
        return FileReadFailureReason::invalidUTF8;
    }
    if (const auto* error = std::get_if<SystemError>(&failure)) {
        if (error->code == EACCES || error->code == EPERM) {
            return FileReadFailureReason::permissionDenied;
        }
    }
    return FileReadFailureReason::unknown;
}

bool FileSource::fileExists(const std::filesystem::path& path) {
    // Follows symbolic links, so a dangling link counts as nothing there; a folder exists.
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0;
}

}  // namespace ledgerly
