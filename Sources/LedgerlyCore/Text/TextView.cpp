#include "LedgerlyCore/Text/TextView.h"

#include "LedgerlyCore/Text/UTF8Bytes.h"
#include "LedgerlyCore/Text/UnicodeText.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace ledgerly::text {
namespace {

using utf8::isASCII;

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

template <typename Predicate>
std::string_view trimNonASCII(const TextView& view, Predicate trimmable) {
    const std::string_view text = view.text;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t length = 1;
        const char32_t codePoint =
            isASCII(text[start]) ? static_cast<char32_t>(text[start]) : decodeCodePoint(text, start, &length);
        if (!trimmable(codePoint) || !view.isCharacterBoundary(start + length)) {
            break;
        }
        start += length;
    }
    std::size_t end = text.size();
    while (end > start) {
        if (isASCII(text[end - 1])) {
            if (!trimmable(static_cast<char32_t>(text[end - 1])) || !view.isCharacterBoundary(end - 1)) {
                break;
            }
            --end;
            continue;
        }
        const std::size_t codePointStart = utf8::codePointStartBefore(text, end);
        std::size_t length = 0;
        const char32_t codePoint = decodeCodePoint(text, codePointStart, &length);
        if (codePointStart + length != end || !trimmable(codePoint) || !view.isCharacterBoundary(codePointStart)) {
            break;
        }
        end = codePointStart;
    }
    return text.substr(start, end - start);
}

bool isTrimmableCodePoint(char32_t codePoint) {
    return isWhiteSpaceCodePoint(codePoint) || isLineBreakCodePoint(codePoint);
}

}  // namespace

TextView TextView::of(std::string_view text) {
    for (const char byte : text) {
        if (!isASCII(byte)) {
            return {text, false};
        }
    }
    return {text, true};
}

TextView TextView::trimmed() const {
    if (ascii) {
        return {trimASCII(text, isASCIITrimmable), true};
    }
    return {trimNonASCII(*this, isTrimmableCodePoint), false};
}

TextView TextView::trimmedWhiteSpace() const {
    if (ascii) {
        return {trimASCII(text, isASCIIWhiteSpace), true};
    }
    return {trimNonASCII(*this, isWhiteSpaceCodePoint), false};
}

std::size_t TextView::find(std::string_view needle, std::size_t from) const {
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

bool TextView::isCharacterBoundaryOutsideASCII(std::size_t offset) const {
    return text::isCharacterBoundary(text, offset);
}

bool TextView::whiteSpaceCharacterAt(std::size_t offset, std::size_t* length) const {
    if (offset >= text.size()) {
        return false;
    }
    std::size_t codePointLength = 1;
    const bool whiteSpace = isASCII(text[offset])
                                ? isASCIIWhiteSpace(text[offset])
                                : isWhiteSpaceCodePoint(decodeCodePoint(text, offset, &codePointLength));
    if (!whiteSpace || !isCharacterBoundary(offset) || !isCharacterBoundary(offset + codePointLength)) {
        return false;
    }
    *length = codePointLength;
    return true;
}

bool TextView::containsWhiteSpace() const {
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
            decodeCodePoint(text, offset, &length);
        }
        offset += length == 0 ? 1 : length;
    }
    return false;
}

bool TextView::containsWhiteSpaceCodePoint() const {
    if (ascii) {
        return holdsASCIIWhiteSpace(text);
    }
    std::size_t offset = 0;
    while (offset < text.size()) {
        std::size_t length = 0;
        if (isWhiteSpaceCodePoint(decodeCodePoint(text, offset, &length))) {
            return true;
        }
        offset += length == 0 ? 1 : length;
    }
    return false;
}

}  // namespace ledgerly::text
