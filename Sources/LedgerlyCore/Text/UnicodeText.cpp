#include "LedgerlyCore/Text/UnicodeText.h"

#include "LedgerlyCore/Text/UTF8Bytes.h"

#include <simdjson.h>
#include <unicode/brkiter.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>
#include <unicode/utf8.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <optional>

namespace ledgerly::text {
namespace {

using utf8::isASCII;
using utf8::isASCIIControl;
using utf8::isContinuationByte;

// Between two ASCII code points UAX 29 always breaks, except inside CR LF:
// ASCII is never Extend, ZWJ, SpacingMark or Prepend.
bool isASCIIBoundary(char previous, char next) { return !(previous == '\r' && next == '\n'); }

int graphemeClusterBreak(char32_t codePoint) {
    return u_getIntPropertyValue(static_cast<UChar32>(codePoint), UCHAR_GRAPHEME_CLUSTER_BREAK);
}

// Boundaries next to one ASCII code point, from the UAX 29 rules without a
// break iterator: after an ASCII character other than a control only Extend,
// ZWJ and SpacingMark continue the cluster; before an ASCII character only a
// Prepend character does, and never before a control. None when both
// neighbours are non-ASCII.
std::optional<bool> boundaryNextToASCII(std::string_view text, std::size_t offset) {
    const char previous = text[offset - 1];
    const char next = text[offset];
    if (isASCII(previous)) {
        if (isASCII(next)) {
            return isASCIIBoundary(previous, next);
        }
        if (isASCIIControl(previous)) {
            return true;
        }
        const int kind = graphemeClusterBreak(decodeCodePoint(text, offset, nullptr));
        return kind != U_GCB_EXTEND && kind != U_GCB_ZWJ && kind != U_GCB_SPACING_MARK;
    }
    if (isASCII(next)) {
        if (isASCIIControl(next)) {
            return true;
        }
        const std::size_t start = utf8::codePointStartBefore(text, offset);
        return graphemeClusterBreak(decodeCodePoint(text, start, nullptr)) != U_GCB_PREPEND;
    }
    return std::nullopt;
}

std::unique_ptr<icu::BreakIterator> makeCharacterBreakIterator() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::BreakIterator> created(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_FAILURE(status) || !created) {
        std::abort();  // ICU data missing: nothing in the core can work without it.
    }
    return created;
}

icu::BreakIterator& characterBreakIterator() {
    // Creating a break iterator loads rule data; one per thread is reused.
    thread_local const std::unique_ptr<icu::BreakIterator> iterator = makeCharacterBreakIterator();
    // The analyzer does not model thread_local initialisation and sees the
    // iterator as freed; it lives until the thread ends.
    return *iterator;  // NOLINT(clang-analyzer-cplusplus.NewDelete)
}

// Walks grapheme-cluster boundaries of one text; ICU is attached only when a
// non-ASCII neighbourhood needs it.
class BoundaryScanner {
public:
    explicit BoundaryScanner(std::string_view text) : text_(text) {}
    BoundaryScanner(const BoundaryScanner&) = delete;
    BoundaryScanner& operator=(const BoundaryScanner&) = delete;
    ~BoundaryScanner() {
        if (attached_) {
            utext_close(&utext_);
        }
    }

    bool isBoundary(std::size_t offset) {
        if (offset == 0 || offset >= text_.size()) {
            return true;
        }
        if (isContinuationByte(text_[offset])) {
            return false;
        }
        if (const auto boundary = boundaryNextToASCII(text_, offset)) {
            return *boundary;
        }
        return iterator().isBoundary(static_cast<int32_t>(offset)) != 0;
    }

    std::size_t next(std::size_t offset) {
        if (offset >= text_.size()) {
            return text_.size();
        }
        const char current = text_[offset];
        if (isASCII(current)) {
            if (offset + 1 == text_.size()) {
                return offset + 1;
            }
            const char following = text_[offset + 1];
            if (isASCII(following) && isASCIIBoundary(current, following)) {
                return offset + 1;
            }
        }
        const int32_t boundary = iterator().following(static_cast<int32_t>(offset));
        return boundary == icu::BreakIterator::DONE ? text_.size() : static_cast<std::size_t>(boundary);
    }

    std::size_t previous(std::size_t offset) {
        if (offset == 0) {
            return 0;
        }
        const char last = text_[offset - 1];
        if (isASCII(last)) {
            if (offset == 1) {
                return 0;
            }
            const char beforeLast = text_[offset - 2];
            if (isASCII(beforeLast) && isASCIIBoundary(beforeLast, last)) {
                return offset - 1;
            }
        }
        const int32_t boundary = iterator().preceding(static_cast<int32_t>(offset));
        return boundary == icu::BreakIterator::DONE ? 0 : static_cast<std::size_t>(boundary);
    }

private:
    icu::BreakIterator& iterator() {
        auto& shared = characterBreakIterator();
        if (!attached_) {
            UErrorCode status = U_ZERO_ERROR;
            utext_openUTF8(&utext_, text_.data(), static_cast<int64_t>(text_.size()), &status);
            shared.setText(&utext_, status);
            attached_ = true;
        }
        return shared;
    }

    std::string_view text_;
    UText utext_ = UTEXT_INITIALIZER;
    bool attached_ = false;
};

bool isAllASCII(std::string_view text) {
    for (const char byte : text) {
        if (!isASCII(byte)) {
            return false;
        }
    }
    return true;
}

}  // namespace

char32_t decodeCodePoint(std::string_view text, std::size_t offset, std::size_t* length) {
    // U8_NEXT takes 32-bit offsets; decode from a window so huge texts work.
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data()) + offset;
    const auto window = static_cast<int32_t>(std::min<std::size_t>(text.size() - offset, 4));
    int32_t index = 0;
    UChar32 codePoint = 0;
    U8_NEXT(bytes, index, window, codePoint);
    if (length != nullptr) {
        *length = static_cast<std::size_t>(index);
    }
    return codePoint < 0 ? U'\uFFFD' : static_cast<char32_t>(codePoint);
}

bool isWhiteSpaceCodePoint(char32_t codePoint) {
    if (codePoint == U'\t' || codePoint == U' ') {
        return true;
    }
    return codePoint >= 0x80 && u_charType(static_cast<UChar32>(codePoint)) == U_SPACE_SEPARATOR;
}

bool isLineBreakCodePoint(char32_t codePoint) {
    return (codePoint >= 0x0A && codePoint <= 0x0D) || codePoint == 0x85 || codePoint == 0x2028 || codePoint == 0x2029;
}

std::size_t characterCount(std::string_view text) {
    if (isAllASCII(text)) {
        std::size_t count = text.size();
        for (std::size_t i = 1; i < text.size(); ++i) {
            if (text[i - 1] == '\r' && text[i] == '\n') {
                --count;
            }
        }
        return count;
    }
    BoundaryScanner scanner(text);
    std::size_t count = 0;
    for (std::size_t offset = 0; offset < text.size(); offset = scanner.next(offset)) {
        ++count;
    }
    return count;
}

bool hasMoreCharactersThan(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) {
        return false;  // a character takes at least one byte
    }
    BoundaryScanner scanner(text);
    std::size_t offset = 0;
    for (std::size_t count = 0; count < limit && offset < text.size(); ++count) {
        offset = scanner.next(offset);
    }
    return offset < text.size();
}

std::string_view prefixCharacters(std::string_view text, std::size_t count) {
    BoundaryScanner scanner(text);
    std::size_t offset = 0;
    for (std::size_t taken = 0; taken < count && offset < text.size(); ++taken) {
        offset = scanner.next(offset);
    }
    return text.substr(0, offset);
}

std::string_view suffixCharacters(std::string_view text, std::size_t count) {
    BoundaryScanner scanner(text);
    std::size_t offset = text.size();
    for (std::size_t taken = 0; taken < count && offset > 0; ++taken) {
        offset = scanner.previous(offset);
    }
    return text.substr(offset);
}

bool isCharacterBoundary(std::string_view text, std::size_t offset) { return BoundaryScanner(text).isBoundary(offset); }

std::string lowercased(std::string_view text) {
    if (isAllASCII(text)) {
        std::string lower(text);
        for (char& byte : lower) {
            if (byte >= 'A' && byte <= 'Z') {
                byte = static_cast<char>(byte - 'A' + 'a');
            }
        }
        return lower;
    }
    icu::UnicodeString unicode =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toLower(icu::Locale::getRoot());
    std::string lower;
    unicode.toUTF8String(lower);
    return lower;
}

bool isValidUTF8(std::string_view text, std::size_t* firstInvalidByte) {
    // The vectorised check answers for whole files many times faster; only a
    // text it rejects is walked again, to find where.
    if (simdjson::validate_utf8(text.data(), text.size())) {
        return true;
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const auto size = static_cast<int64_t>(text.size());
    int64_t index = 0;
    while (index < size) {
        if (bytes[index] < 0x80) {
            ++index;
            continue;
        }
        const int64_t start = index;
        const auto window = static_cast<int32_t>(std::min<int64_t>(size - start, 4));
        int32_t local = 0;
        UChar32 codePoint = 0;
        U8_NEXT(bytes + start, local, window, codePoint);
        if (codePoint < 0) {
            if (firstInvalidByte != nullptr) {
                *firstInvalidByte = static_cast<std::size_t>(start);
            }
            return false;
        }
        index = start + local;
    }
    return true;
}

}  // namespace ledgerly::text
