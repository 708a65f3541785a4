#pragma once

#include "LedgerlyCore/Text/TextView.h"

#include <cstdint>
#include <string_view>

namespace ledgerly::parsing {

// One line of the file: its text (never holding a line break) and its 1-based number.
struct Line {
    text::TextView text;
    std::int64_t number = 0;
};

// Splits a text into lines without copying. Every line-break character ends
// a line on its own, except that CR directly followed by LF is one break
// (files saved with Windows line ends keep their numbering and quoted bodies).
// An empty text is one empty line; a text ending in a break has a last,
// empty line. Copies are independent cursors, which gives cheap look-ahead.
class LineSplitter {
public:
    explicit LineSplitter(std::string_view text) : text_(text) {}

    // Moves to the next line; false once every line has been read.
    bool next(Line& line);

private:
    std::string_view text_;
    std::size_t position_ = 0;
    std::int64_t number_ = 0;
    bool finished_ = false;
};

}  // namespace ledgerly::parsing
