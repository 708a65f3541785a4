#include "LedgerlyCore/App/TextFileError.h"

#include <cstring>
#include <utility>

namespace ledgerly {
namespace {

std::string describe(TextFileError::Operation operation, const std::filesystem::path& path, int code) {
    const std::string name = "\"" + path.filename().string() + "\"";
    if (operation == TextFileError::Operation::read) {
        if (code == 0) {
            return "The file " + name + " could not be opened because it is not valid UTF-8 text.";
        }
        return "The file " + name + " could not be read: " + std::strerror(code) + ".";
    }
    return "The file " + name + " could not be saved in the folder \"" + path.parent_path().string() +
           "\": " + std::strerror(code) + ".";
}

}  // namespace

TextFileError::TextFileError(Operation operation, std::filesystem::path path, int code)
    : operation_(operation), path_(std::move(path)), code_(code), description_(describe(operation_, path_, code_)) {}

}  // namespace ledgerly
