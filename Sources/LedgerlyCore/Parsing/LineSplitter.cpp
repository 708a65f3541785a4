#include "LedgerlyCore/Parsing/LineSplitter.h"

#include <algorithm>
#include <cstring>

namespace ledgerly::parsing {
namespace {

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;

// Whether any of the eight bytes is below 0x0E or has its high bit set: only
// those can start a line break (LF, VT, FF, CR, U+0085, U+2028, U+2029) or
// make the line non-ASCII. May report a false positive, never a false negative.
bool mayHoldInterestingByte(std::uint64_t word) {
    return (((word - kOnes * 0x0E) | word) & kHighBits) != 0;
}

struct BreakScan {
    std::size_t start = 0;   // first byte of the break, or the text's size
    std::size_t length = 0;  // bytes of the break; 0 when none was found
    bool ascii = true;       // whether the line before the break is pure ASCII
};

// Length of a line break starting at `i`, or 0.
std::size_t breakLengthAt(std::string_view text, std::size_t i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x0A && byte <= 0x0D) {
        return byte == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    }
    if (byte == 0xC2) {
        return i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x85 ? 2 : 0;
    }
    if (byte == 0xE2 && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0x80) {
        const auto last = static_cast<unsigned char>(text[i + 2]);
        return last == 0xA8 || last == 0xA9 ? 3 : 0;
    }
    return 0;
}

BreakScan findBreak(std::string_view text, std::size_t from) {
    BreakScan scan;
    std::size_t i = from;
    const std::size_t size = text.size();
    while (i < size) {
        if (i + 8 <= size) {
            std::uint64_t word = 0;
            std::memcpy(&word, text.data() + i, sizeof word);
            if (!mayHoldInterestingByte(word)) {
                i += 8;
                continue;
            }
        }
        const std::size_t chunkEnd = std::min(i + 8, size);
        for (; i < chunkEnd; ++i) {
            const auto byte = static_cast<unsigned char>(text[i]);
            if (byte >= 0x0E && byte < 0x80) {
                continue;
            }
            if (const std::size_t length = breakLengthAt(text, i); length != 0) {
                scan.start = i;
                scan.length = length;
                return scan;
            }
            if (byte >= 0x80) {
                scan.ascii = false;
            }
        }
    }
    scan.start = size;
    return scan;
}

}  // namespace

bool LineSplitter::next(Line& line) {
    if (finished_) {
        return false;
    }
    const BreakScan scan = findBreak(text_, position_);
    line.text = LineText{text_.substr(position_, scan.start - position_), scan.ascii};
    line.number = ++number_;
    if (scan.length == 0) {
        finished_ = true;
    } else {
        position_ = scan.start + scan.length;
    }
    return true;
}

}  // namespace ledgerly::parsing
