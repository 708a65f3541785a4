#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Character-level operations on UTF-8 text. A "character" is a user-perceived
// character (an extended grapheme cluster); every count and cut here is in
// those units. Pure ASCII takes a fast path that never reaches ICU. Prefix,
// suffix and substring tests, searches and trimming are TextView's.
namespace ledgerly::text {

// The number of grapheme clusters in `text`.
std::size_t characterCount(std::string_view text);

// True when `text` has more than `limit` grapheme clusters; stops counting early.
bool hasMoreCharactersThan(std::string_view text, std::size_t limit);

// The first `count` grapheme clusters of `text` (all of it when shorter).
std::string_view prefixCharacters(std::string_view text, std::size_t count);

// The last `count` grapheme clusters of `text` (all of it when shorter).
std::string_view suffixCharacters(std::string_view text, std::size_t count);

// Whether byte offset `offset` of `text` lies on a grapheme-cluster boundary.
// Offsets 0 and text.size() always do. Next to an ASCII character the rules
// are applied directly; ICU's break iterator answers only between two others.
bool isCharacterBoundary(std::string_view text, std::size_t offset);

// White space: CHARACTER TABULATION and General Category Zs, as single code points.
bool isWhiteSpaceCodePoint(char32_t codePoint);
// U+000A to U+000D, U+0085, U+2028, U+2029.
bool isLineBreakCodePoint(char32_t codePoint);

// Lower-cases with the root locale's full case mapping.
std::string lowercased(std::string_view text);

// Whether `text` is well-formed UTF-8; on failure `firstInvalidByte` receives
// the byte offset of the first byte that cannot start or continue a sequence.
bool isValidUTF8(std::string_view text, std::size_t* firstInvalidByte = nullptr);

// The code point that starts at `offset` (U+FFFD for malformed input) and its byte length.
char32_t decodeCodePoint(std::string_view text, std::size_t offset, std::size_t* length);

}  // namespace ledgerly::text
