#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// A piece of one line of the bookmark file, with a flag telling whether it is
// pure ASCII. ASCII pieces are tested on bytes; the others go through the
// grapheme-aware text functions, so that most lines never reach ICU.
namespace ledgerly::parsing {

struct LineText {
    std::string_view text;
    bool ascii = true;

    // Scans `text` once to set the ASCII flag.
    static LineText of(std::string_view text);

    bool empty() const { return text.empty(); }
    std::size_t size() const { return text.size(); }
    LineText sub(std::size_t offset, std::size_t length = std::string_view::npos) const {
        return {text.substr(offset, length), ascii};
    }

    // Without white space and line breaks at both ends.
    LineText trimmed() const;
    // Without white space at both ends.
    LineText trimmedWhiteSpace() const;

    bool startsWith(std::string_view prefix) const {
        return bytesEqual(0, prefix) && (ascii || isCharacterBoundaryOutsideASCII(prefix.size()));
    }
    bool endsWith(std::string_view suffix) const {
        return suffix.size() <= text.size() && bytesEqual(text.size() - suffix.size(), suffix) &&
               (ascii || isCharacterBoundaryOutsideASCII(text.size() - suffix.size()));
    }
    // Byte offset of the first whole-character `needle` at or after `from`, or npos.
    std::size_t find(std::string_view needle, std::size_t from = 0) const;
    bool contains(std::string_view needle) const { return find(needle) != std::string_view::npos; }
    bool isCharacterBoundary(std::size_t offset) const { return ascii || isCharacterBoundaryOutsideASCII(offset); }

    // Whether a white-space character starts at `offset`; `length` receives its bytes.
    bool whiteSpaceCharacterAt(std::size_t offset, std::size_t* length) const;
    // A white-space character anywhere (a cluster of one white-space code point).
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

}  // namespace ledgerly::parsing
