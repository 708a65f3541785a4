#pragma once

#include <filesystem>
#include <string>

namespace ledgerly {

// The bytes of a whole regular file, or why they could not be read.
struct WholeFileRead {
    // All of `path`, read into one buffer sized for the file. Never waits
    // for a FIFO's writer, and never reads a folder or a device.
    static WholeFileRead read(const std::filesystem::path& path);

    std::string bytes;            // empty unless the read succeeded
    int errorCode = 0;            // the errno of a failed system call
    bool notRegularFile = false;  // a folder, a FIFO, a device
};

}  // namespace ledgerly
