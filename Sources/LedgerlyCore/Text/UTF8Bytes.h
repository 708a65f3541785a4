#pragma once

#include <cstddef>
#include <string_view>

// Byte-level facts of UTF-8 shared by the Text layer's fast paths.
namespace ledgerly::text::utf8 {

inline bool isASCII(char byte) { return static_cast<unsigned char>(byte) < 0x80; }

inline bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// ASCII controls (C0 and DEL): nothing joins them into a larger character.
inline bool isASCIIControl(char byte) { return static_cast<unsigned char>(byte) < 0x20 || byte == 0x7F; }

// The offset where the code point that ends just before `offset` starts.
inline std::size_t codePointStartBefore(std::string_view text, std::size_t offset) {
    std::size_t start = offset - 1;
    while (start > 0 && isContinuationByte(text[start])) {
        --start;
    }
    return start;
}

}  // namespace ledgerly::text::utf8
