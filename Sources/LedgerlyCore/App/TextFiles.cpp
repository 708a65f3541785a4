#include "LedgerlyCore/App/TextFiles.h"

#include "LedgerlyCore/App/TextFileError.h"
#include "LedgerlyCore/Files/UTF8FileRead.h"
#include "LedgerlyCore/Platform/AtomicFileReplace.h"

#include <cerrno>

#include <string>
#include <system_error>
#include <utility>

namespace ledgerly {
namespace {

using Operation = TextFileError::Operation;

bool isFolder(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

}  // namespace

std::string readUTF8TextFile(const std::filesystem::path& path) {
    auto read = UTF8FileRead::read(path);
    switch (read.failure) {
    case UTF8FileRead::Failure::none:
        return std::move(read.text);
    case UTF8FileRead::Failure::malformedUTF8:
        throw TextFileError(Operation::read, path, 0);
    case UTF8FileRead::Failure::notRegularFile:
        throw TextFileError(Operation::read, path, isFolder(path) ? EISDIR : EINVAL);
    case UTF8FileRead::Failure::systemError:
        break;
    }
    throw TextFileError(Operation::read, path, read.errorCode);
}

void writeUTF8TextFileAtomically(const std::filesystem::path& path, std::string_view text) {
    if (const int error = replaceFileAtomically(path, text); error != 0) {
        throw TextFileError(Operation::write, path, error);
    }
}

}  // namespace ledgerly
