#include "LedgerlyCore/Parsing/LineSplitter.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace ledgerly::parsing {

using text::TextView;
namespace {

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

// Handles a byte that may end the line; true when it does.
bool handleByte(std::string_view text, std::size_t i, BreakScan& scan) {
    if (const std::size_t length = breakLengthAt(text, i); length != 0) {
        scan.start = i;
        scan.length = length;
        return true;
    }
    if (static_cast<unsigned char>(text[i]) >= 0x80) {
        scan.ascii = false;
    }
    return false;
}

BreakScan findBreak(std::string_view text, std::size_t from) {
    BreakScan scan;
    std::size_t i = from;
    const std::size_t size = text.size();
#ifdef __SSE2__
    // As signed bytes, everything from 0x80 up is negative, so "less than
    // 0x0E" finds the ASCII breaks and every non-ASCII byte; of the latter
    // only the lead bytes of U+0085 (C2) and U+2028/U+2029 (E2) can break.
    const __m128i limit = _mm_set1_epi8(0x0E);
    const __m128i leadC2 = _mm_set1_epi8(static_cast<char>(0xC2));
    const __m128i leadE2 = _mm_set1_epi8(static_cast<char>(0xE2));
    for (; i + 16 <= size; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        const auto lowOrHigh = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(chunk, limit)));
        if (lowOrHigh == 0) {
            continue;
        }
        const auto high = static_cast<unsigned>(_mm_movemask_epi8(chunk));
        const auto leads = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, leadC2), _mm_cmpeq_epi8(chunk, leadE2))));
        for (unsigned mask = (lowOrHigh & ~high) | leads; mask != 0; mask &= mask - 1) {
            const auto bit = static_cast<unsigned>(__builtin_ctz(mask));
            if (const std::size_t length = breakLengthAt(text, i + bit); length != 0) {
                // Only the bytes before the break belong to this line.
                if ((high & ((1U << bit) - 1U)) != 0) {
                    scan.ascii = false;
                }
                scan.start = i + bit;
                scan.length = length;
                return scan;
            }
        }
        if (high != 0) {
            scan.ascii = false;
        }
    }
#endif
    for (; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte < 0x0E || byte >= 0x80) && handleByte(text, i, scan)) {
            return scan;
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
    line.text = TextView{text_.substr(position_, scan.start - position_), scan.ascii};
    line.number = ++number_;
    if (scan.length == 0) {
        finished_ = true;
    } else {
        position_ = scan.start + scan.length;
    }
    return true;
}

}  // namespace ledgerly::parsing
