#include "LedgerlyCore/Text/TextView.h"

#include "LedgerlyCore/Text/UnicodeText.h"

#include <unicode/uchar.h>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace ledgerly::parsing {
namespace {

bool isASCII(char byte) { return static_cast<unsigned char>(byte) < 0x80; }

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

bool isASCIIWhiteSpace(char byte) { return byte == ' ' || byte == '\t'; }

bool isASCIITrimmable(char byte) { return isASCIIWhiteSpace(byte) || (byte >= '\n' && byte <= '\r'); }

bool holdsASCIIWhiteSpace(std::string_view text) {
    std::size_t i = 0;
#ifdef __SSE2__
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i tab = _mm_set1_epi8('\t');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(chunk, space), _mm_cmpeq_epi8(chunk, tab))) != 0) {
            return true;
        }
    }
#endif
    for (const char byte : text.substr(i)) {
        if (isASCIIWhiteSpace(byte)) {
            return true;
        }
    }
    return false;
}

template <typename Predicate>
std::string_view trimASCII(std::string_view text, Predicate trimmable) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && trimmable(text[start])) {
        ++start;
    }
    while (end > start && trimmable(text[end - 1])) {
        --end;
    }
    return text.substr(start, end - start);
}

int graphemeClusterBreak(char32_t codePoint) {
    return u_getIntPropertyValue(static_cast<UChar32>(codePoint), UCHAR_GRAPHEME_CLUSTER_BREAK);
}

std::size_t codePointStartBefore(std::string_view text, std::size_t offset) {
    std::size_t start = offset - 1;
    while (start > 0 && isContinuationByte(text[start])) {
        --start;
    }
    return start;
}

// Grapheme boundaries next to an ASCII code point, from the UAX 29 rules
// without a break iterator. After an ASCII character other than CR only
// Extend, ZWJ and SpacingMark continue the cluster; before an ASCII
// character only a Prepend character does, and never before a control.
// None when both neighbours are non-ASCII.
std::optional<bool> boundaryNextToASCII(std::string_view text, std::size_t offset) {
    const char previous = text[offset - 1];
    const char next = text[offset];
    if (isASCII(previous)) {
        if (isASCII(next)) {
            return !(previous == '\r' && next == '\n');
        }
        if (previous == '\r' || previous == '\n' || static_cast<unsigned char>(previous) < 0x20) {
            return true;  // nothing joins a control
        }
        std::size_t length = 0;
        const int kind = graphemeClusterBreak(text::decodeCodePoint(text, offset, &length));
        return kind != U_GCB_EXTEND && kind != U_GCB_ZWJ && kind != U_GCB_SPACING_MARK;
    }
    if (isASCII(next)) {
        if (static_cast<unsigned char>(next) < 0x20 || next == 0x7F) {
            return true;
        }
        std::size_t length = 0;
        const std::size_t start = codePointStartBefore(text, offset);
        return graphemeClusterBreak(text::decodeCodePoint(text, start, &length)) != U_GCB_PREPEND;
    }
    return std::nullopt;
}

template <typename Predicate>
std::string_view trimNonASCII(const LineText& line, Predicate trimmable) {
    const std::string_view text = line.text;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t length = 1;
        const char32_t codePoint =
            isASCII(text[start]) ? static_cast<char32_t>(text[start]) : text::decodeCodePoint(text, start, &length);
        if (!trimmable(codePoint) || !line.isCharacterBoundary(start + length)) {
            break;
        }
        start += length;
    }
    std::size_t end = text.size();
    while (end > start) {
        if (isASCII(text[end - 1])) {
            if (!trimmable(static_cast<char32_t>(text[end - 1])) || !line.isCharacterBoundary(end - 1)) {
                break;
            }
            --end;
            continue;
        }
        const std::size_t codePointStart = codePointStartBefore(text, end);
        std::size_t length = 0;
        const char32_t codePoint = text::decodeCodePoint(text, codePointStart, &length);
        if (codePointStart + length != end || !trimmable(codePoint) || !line.isCharacterBoundary(codePointStart)) {
            break;
        }
        end = codePointStart;
    }
    return text.substr(start, end - start);
}

bool isTrimmableCodePoint(char32_t codePoint) {
    return text::isWhiteSpaceCodePoint(codePoint) || text::isLineBreakCodePoint(codePoint);
}

}  // namespace

LineText LineText::of(std::string_view text) {
    for (const char byte : text) {
        if (!isASCII(byte)) {
            return {text, false};
        }
    }
    return {text, true};
}

LineText LineText::trimmed() const {
    if (ascii) {
        return {trimASCII(text, isASCIITrimmable), true};
    }
    return {trimNonASCII(*this, isTrimmableCodePoint), false};
}

LineText LineText::trimmedWhiteSpace() const {
    if (ascii) {
        return {trimASCII(text, isASCIIWhiteSpace), true};
    }
    return {trimNonASCII(*this, text::isWhiteSpaceCodePoint), false};
}

std::size_t LineText::find(std::string_view needle, std::size_t from) const {
    if (needle.size() == 1) {
        // The common case, "]" or ")": memchr without a compare per hit.
        std::size_t position = text.find(needle[0], from);
        while (position != std::string_view::npos &&
               (!isCharacterBoundary(position) || !isCharacterBoundary(position + 1))) {
            position = text.find(needle[0], position + 1);
        }
        return position;
    }
    for (std::size_t position = text.find(needle, from); position != std::string_view::npos;
         position = text.find(needle, position + 1)) {
        if (isCharacterBoundary(position) && isCharacterBoundary(position + needle.size())) {
            return position;
        }
    }
    return std::string_view::npos;
}

bool LineText::isCharacterBoundaryOutsideASCII(std::size_t offset) const {
    if (offset == 0 || offset >= text.size()) {
        return true;
    }
    if (isContinuationByte(text[offset])) {
        return false;
    }
    if (const auto boundary = boundaryNextToASCII(text, offset)) {
        return *boundary;
    }
    return text::isCharacterBoundary(text, offset);
}

bool LineText::whiteSpaceCharacterAt(std::size_t offset, std::size_t* length) const {
    if (offset >= text.size()) {
        return false;
    }
    std::size_t codePointLength = 1;
    const bool whiteSpace = isASCII(text[offset])
                                ? isASCIIWhiteSpace(text[offset])
                                : text::isWhiteSpaceCodePoint(text::decodeCodePoint(text, offset, &codePointLength));
    if (!whiteSpace || !isCharacterBoundary(offset) || !isCharacterBoundary(offset + codePointLength)) {
        return false;
    }
    *length = codePointLength;
    return true;
}

bool LineText::containsWhiteSpace() const {
    if (ascii) {
        return holdsASCIIWhiteSpace(text);
    }
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t length = 1;
        if (whiteSpaceCharacterAt(offset, &length)) {
            return true;
        }
        if (!isASCII(text[offset])) {
            text::decodeCodePoint(text, offset, &length);
        }
        offset += length == 0 ? 1 : length;
    }
    return false;
}

bool LineText::containsWhiteSpaceCodePoint() const {
    if (ascii) {
        return holdsASCIIWhiteSpace(text);
    }
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t length = 0;
        if (text::isWhiteSpaceCodePoint(text::decodeCodePoint(text, offset, &length))) {
            return true;
        }
        offset += length == 0 ? 1 : length;
    }
    return false;
}

}  // namespace ledgerly::parsing
