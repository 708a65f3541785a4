#include "LedgerlyCore/Platform/AtomicFileReplace.h"

#include "LedgerlyCore/Platform/Linux/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <atomic>
#include <optional>
#include <string>

namespace ledgerly {
namespace {

std::filesystem::path folderOf(const std::filesystem::path& path) {
    const auto folder = path.parent_path();
    return folder.empty() ? std::filesystem::path(".") : folder;
}

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = EIO;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A new file of our own in `folder`; its descriptor, or -1 with `error` set.
// A short fixed-length name, so that it fits even beside a file whose name
// uses the whole length allowed.
int createTemporaryFile(const std::filesystem::path& folder, std::filesystem::path& temporary, int& error) {
    static std::atomic<unsigned> counter = 0;
    error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        temporary = folder / (".ledgerly-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
        // 0666 lets the umask decide, as for any new file the user saves.
        const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            return descriptor;
        }
        error = errno;
    }
    return -1;
}

std::optional<mode_t> existingPermissions(const std::filesystem::path& path) {
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    return status.st_mode & 07777;
}

// Writes, flushes and closes the temporary file; the errno of a failure, else 0.
int fillTemporaryFile(FileDescriptor& file, std::string_view text, std::optional<mode_t> permissions) {
    if (!writeAll(file.get(), text)) {
        return errno;
    }
    if (permissions && ::fchmod(file.get(), *permissions) != 0) {
        return errno;
    }
    if (::fsync(file.get()) != 0) {
        return errno;
    }
    return file.close() == 0 ? 0 : errno;
}

void syncFolder(const std::filesystem::path& folder) {
    // Makes the rename itself durable; a folder that refuses is no failure of the write.
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) {
        ::fsync(directory.get());
    }
}

}  // namespace

int replaceFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const auto folder = folderOf(path);
    std::filesystem::path temporary;
    int error = 0;
    FileDescriptor file(createTemporaryFile(folder, temporary, error));
    if (file.get() < 0) {
        return error;
    }
    error = fillTemporaryFile(file, bytes, existingPermissions(path));
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return error;
    }
    syncFolder(folder);
    return 0;
}

}  // namespace ledgerly
