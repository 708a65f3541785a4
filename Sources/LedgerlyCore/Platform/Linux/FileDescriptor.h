#pragma once

#include <unistd.h>

#include <utility>

namespace ledgerly {

// Closes the descriptor on every way out.
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
    // Closes now, reporting the result: a failed close can mean lost data.
    int close() { return ::close(std::exchange(descriptor_, -1)); }

private:
    int descriptor_;
};

}  // namespace ledgerly
