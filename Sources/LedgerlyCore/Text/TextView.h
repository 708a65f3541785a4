#pragma once

#include <cstddef>
#include <string_view>

// A view of UTF-8 text with a flag telling whether it is pure ASCII, and the
// character-aware tests on it: prefixes, suffixes, searches, white space and
// trimming. A "character" is a grapheme cluster, so a match must start and
// end on character boundaries ("- " followed by a combining mark does not
// begin with "- "); characters compare by code points. ASCII views are tested
// on bytes, so that most text never reaches ICU.
namespace ledgerly::text {

struct TextView {
    std::string_view text;
    bool ascii = true;

    // Scans `text` once to set the ASCII flag.
    static TextView of(std::string_view text);

    bool empty() const { return text.empty(); }
    std::size_t size() const { return text.size(); }
    TextView sub(std::size_t offset, std::size_t length = std::string_view::npos) const {
        return {text.substr(offset, length), ascii};
    }

    // Without white-space and line-break characters at both ends. Only a
    // character of exactly one such code point counts, so a space carrying a
    // combining mark stays.
    TextView trimmed() const;
    // The same, white space only (line breaks stay).
    TextView trimmedWhiteSpace() const;

    bool startsWith(std::string_view prefix) const {
        return bytesEqual(0, prefix) && isCharacterBoundary(prefix.size());
    }
    bool endsWith(std::string_view suffix) const {
        return suffix.size() <= text.size() && bytesEqual(text.size() - suffix.size(), suffix) &&
               isCharacterBoundary(text.size() - suffix.size());
    }
    // Byte offset of the first whole-character `needle` at or after `from`, or npos.
    std::size_t find(std::string_view needle, std::size_t from = 0) const;
    bool contains(std::string_view needle) const { return find(needle) != std::string_view::npos; }
    // Whether byte `offset` lies on a character boundary; 0 and size() always do.
    bool isCharacterBoundary(std::size_t offset) const { return ascii || isCharacterBoundaryOutsideASCII(offset); }

    // Whether a white-space character starts at `offset`; `length` receives its bytes.
    bool whiteSpaceCharacterAt(std::size_t offset, std::size_t* length) const;
    // A white-space character anywhere (a character of one white-space code point).
    bool containsWhiteSpace() const;
    // A white-space code point anywhere, as a regular expression's \s sees it.
    bool containsWhiteSpaceCodePoint() const;

private:
    // The markers compared here are a few bytes long: a plain loop beats a call to memcmp.
    bool bytesEqual(std::size_t offset, std::string_view expected) const {
        if (offset + expected.size() > text.size()) {
            return false;
        }
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (text[offset + i] != expected[i]) {
                return false;
            }
        }
        return true;
    }

    bool isCharacterBoundaryOutsideASCII(std::size_t offset) const;
};

}  // namespace ledgerly::text
