#include "LedgerlyCore/Files/UTF8FileRead.h"

#include "LedgerlyCore/Platform/WholeFileRead.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#include <string_view>
#include <utility>

namespace ledgerly {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

UTF8FileRead failed(UTF8FileRead::Failure failure, int errorCode = 0, std::size_t firstInvalidByte = 0) {
    return UTF8FileRead{{}, failure, errorCode, firstInvalidByte};
}

}  // namespace

UTF8FileRead UTF8FileRead::read(const std::filesystem::path& path) {
    WholeFileRead file = WholeFileRead::read(path);
    if (file.notRegularFile) {
        return failed(Failure::notRegularFile);
    }
    if (file.errorCode != 0) {
        return failed(Failure::systemError, file.errorCode);
    }
    std::string bytes = std::move(file.bytes);
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
