#include "LedgerlyCore/Platform/WholeFileRead.h"

#include "LedgerlyCore/Platform/Linux/FileDescriptor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <optional>

namespace ledgerly {
namespace {

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

WholeFileRead failed(int errorCode) { return WholeFileRead{{}, errorCode, false}; }

}  // namespace

WholeFileRead WholeFileRead::read(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        return failed(errno);
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return failed(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return WholeFileRead{{}, 0, true};
    }
    std::string bytes;
    if (const auto error = readAll(file.get(), static_cast<std::size_t>(status.st_size), bytes)) {
        return failed(*error);
    }
    return WholeFileRead{std::move(bytes), 0, false};
}

}  // namespace ledgerly
