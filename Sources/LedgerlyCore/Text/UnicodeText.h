#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Character-level operations on UTF-8 text. A "character" is a user-perceived
// character (an extended grapheme cluster); every count and cut here is in
// those units. Pure ASCII takes a fast path that never reaches ICU.
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
// Offsets 0 and text.size() always do.
bool isCharacterBoundary(std::string_view text, std::size_t offset);

// Byte offset of the grapheme-cluster boundary that follows `offset`.
std::size_t nextCharacterBoundary(std::string_view text, std::size_t offset);

// Grapheme-correct prefix, suffix and substring tests: the match must start
// and end on character boundaries of `text` ("- " followed by a combining
// mark does not begin with "- "). Characters compare by code points.
bool startsWith(std::string_view text, std::string_view prefix);
bool endsWith(std::string_view text, std::string_view suffix);
bool contains(std::string_view text, std::string_view needle);

// Byte offset of the first occurrence of `needle` at or after `from` that lies
// on character boundaries, or std::string_view::npos.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0);

// White space: CHARACTER TABULATION and General Category Zs, as single code points.
bool isWhiteSpaceCodePoint(char32_t codePoint);
// U+000A to U+000D, U+0085, U+2028, U+2029.
bool isLineBreakCodePoint(char32_t codePoint);

// Whether `text` holds a white-space character anywhere: a grapheme cluster
// made of exactly one white-space code point.
bool containsWhiteSpace(std::string_view text);

// Whether the character that starts at byte `offset` is a white-space
// character; on success `length` receives its length in bytes.
bool whiteSpaceCharacterAt(std::string_view text, std::size_t offset, std::size_t* length = nullptr);

// Removes white-space and line-break characters from both ends. Only clusters
// of exactly one such code point count, so a space carrying a combining mark stays.
std::string_view trimmed(std::string_view text);
// The same, white space only (line breaks stay).
std::string_view trimmedWhiteSpace(std::string_view text);

// Lower-cases with the root locale's full case mapping.
std::string lowercased(std::string_view text);

// Whether `text` is well-formed UTF-8; on failure `firstInvalidByte` receives
// the byte offset of the first byte that cannot start or continue a sequence.
bool isValidUTF8(std::string_view text, std::size_t* firstInvalidByte = nullptr);

// The code point that starts at `offset` (U+FFFD for malformed input) and its byte length.
char32_t decodeCodePoint(std::string_view text, std::size_t offset, std::size_t* length);

}  // namespace ledgerly::text
