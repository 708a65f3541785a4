#include "LedgerlyCore/Parsing/LineText.h"

#include "LedgerlyCore/Text/UnicodeText.h"

namespace ledgerly::parsing {
namespace {

bool isASCIIWhiteSpace(char byte) { return byte == ' ' || byte == '\t'; }

bool isASCIITrimmable(char byte) { return isASCIIWhiteSpace(byte) || (byte >= '\n' && byte <= '\r'); }

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

}  // namespace

LineText LineText::of(std::string_view text) {
    for (const char byte : text) {
        if (static_cast<unsigned char>(byte) >= 0x80) {
            return {text, false};
        }
    }
    return {text, true};
}

LineText LineText::trimmed() const {
    if (ascii) {
        return {trimASCII(text, isASCIITrimmable), true};
    }
    return {text::trimmed(text), false};
}

LineText LineText::trimmedWhiteSpace() const {
    if (ascii) {
        return {trimASCII(text, isASCIIWhiteSpace), true};
    }
    return {text::trimmedWhiteSpace(text), false};
}

bool LineText::startsWith(std::string_view prefix) const {
    if (!text.starts_with(prefix)) {
        return false;
    }
    return ascii || text::isCharacterBoundary(text, prefix.size());
}

bool LineText::endsWith(std::string_view suffix) const {
    if (!text.ends_with(suffix)) {
        return false;
    }
    return ascii || text::isCharacterBoundary(text, text.size() - suffix.size());
}

std::size_t LineText::find(std::string_view needle, std::size_t from) const {
    return ascii ? text.find(needle, from) : text::find(text, needle, from);
}

bool LineText::isCharacterBoundary(std::size_t offset) const {
    return ascii || text::isCharacterBoundary(text, offset);
}

bool LineText::whiteSpaceCharacterAt(std::size_t offset, std::size_t* length) const {
    if (ascii) {
        if (offset >= text.size() || !isASCIIWhiteSpace(text[offset])) {
            return false;
        }
        *length = 1;
        return true;
    }
    return text::whiteSpaceCharacterAt(text, offset, length);
}

bool LineText::containsWhiteSpace() const {
    if (ascii) {
        return text.find_first_of(" \t") != std::string_view::npos;
    }
    return text::containsWhiteSpace(text);
}

bool LineText::containsWhiteSpaceCodePoint() const {
    if (ascii) {
        return text.find_first_of(" \t") != std::string_view::npos;
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
