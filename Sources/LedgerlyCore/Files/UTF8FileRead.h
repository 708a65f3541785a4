#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace ledgerly {

// One read of a whole file as text: the one reader of the bookmark file and of
// the starter template, so that both treat the bytes alike.
struct UTF8FileRead {
    enum class Failure {
        none,
        systemError,     // a system call failed with `errorCode`
        malformedUTF8,   // the bytes are not well-formed UTF-8
        notRegularFile,  // a folder, a FIFO, a device
    };

    // All of `path`, strictly as UTF-8 and otherwise unchanged, except that one
    // byte-order mark at the very start is dropped: several editors write one,
    // and it is no part of the text. Never waits for a FIFO's writer.
    static UTF8FileRead read(const std::filesystem::path& path);

    std::string text;  // empty unless `failure` is none
    Failure failure = Failure::none;
    int errorCode = 0;                 // the errno of a systemError
    std::size_t firstInvalidByte = 0;  // the offset where malformedUTF8 text goes wrong
};

}  // namespace ledgerly
