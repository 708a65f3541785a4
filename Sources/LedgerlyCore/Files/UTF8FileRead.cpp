#include "LedgerlyCore/Files/UTF8FileRead.h"

#include "LedgerlyCore/Text/UnicodeText.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include <optional>
#include <string_view>

namespace ledgerly {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

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

UTF8FileRead failed(UTF8FileRead::Failure failure, int errorCode = 0, std::size_t firstInvalidByte = 0) {
    return UTF8FileRead{{}, failure, errorCode, firstInvalidByte};
}

}  // namespace

UTF8FileRead UTF8FileRead::read(const std::filesystem::path& path) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer forever.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        return failed(Failure::systemError, errno);
    }
    struct stat status {};
    if (::fstat(file.get(), &status) != 0) {
        return failed(Failure::systemError, errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return failed(Failure::notRegularFile);
    }
    std::string bytes;
    if (const auto error = readAll(file.get(), static_cast<std::size_t>(status.st_size), bytes)) {
        return failed(Failure::systemError, *error);
    }
    std::size_t firstInvalidByte = 0;
    if (!text::isValidUTF8(bytes, &firstInvalidByte)) {
        return failed(Failure::malformedUTF8, 0, firstInvalidByte);
    }
    if (std::string_view(bytes).starts_with(byteOrderMark)) {
        bytes.erase(0, byteOrderMark.size());
    }
    return UTF8FileRead{std::move(bytes), Failure::none, 0, 0};
}

}  // namespace ledgerly
