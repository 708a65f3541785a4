#pragma once

#include <exception>
#include <filesystem>
#include <string>

namespace ledgerly {

// Reading or writing a whole text file failed. Carries the system's errno,
// or none for bytes that are not UTF-8; the text is made only for display.
class TextFileError final : public std::exception {
public:
    enum class Operation { read, write };

    // `code` is an errno value; 0 for a read whose bytes are not UTF-8.
    TextFileError(Operation operation, std::filesystem::path path, int code);

    Operation operation() const { return operation_; }
    const std::filesystem::path& path() const { return path_; }
    int code() const { return code_; }
    // What the user is told, naming the file and the reason.
    const std::string& errorDescription() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

    friend bool operator==(const TextFileError& lhs, const TextFileError& rhs) {
        return lhs.operation_ == rhs.operation_ && lhs.path_ == rhs.path_ && lhs.code_ == rhs.code_;
    }

private:
    Operation operation_;
    std::filesystem::path path_;
    int code_;
    std::string description_;
};

}  // namespace ledgerly
