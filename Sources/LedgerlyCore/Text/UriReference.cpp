#include "LedgerlyCore/Text/UriReference.h"

#include "LedgerlyCore/Text/UnicodeText.h"

#include <uriparser/Uri.h>

namespace ledgerly::text {
namespace {

std::string_view rangeText(const UriTextRangeA& range) {
    if (range.first == nullptr || range.afterLast == nullptr) {
        return {};
    }
    return {range.first, static_cast<std::size_t>(range.afterLast - range.first)};
}

std::string pathText(const UriUriA& uri) {
    std::string path;
    if (uri.absolutePath == URI_TRUE || (uri.hostText.first != nullptr && uri.pathHead != nullptr)) {
        path = "/";
    }
    bool first = true;
    for (const UriPathSegmentA* segment = uri.pathHead; segment != nullptr; segment = segment->next) {
        if (!first) {
            path += '/';
        }
        path += rangeText(segment->text);
        first = false;
    }
    return path;
}

int hexValue(char digit) {
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    if (digit >= 'a' && digit <= 'f') {
        return digit - 'a' + 10;
    }
    if (digit >= 'A' && digit <= 'F') {
        return digit - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<UriReference> UriReference::parse(std::string_view text) {
    UriUriA uri;
    const char* errorPosition = nullptr;
    if (uriParseSingleUriExA(&uri, text.data(), text.data() + text.size(), &errorPosition) != URI_SUCCESS) {
        return std::nullopt;
    }
    UriReference reference;
    reference.scheme = std::string(rangeText(uri.scheme));
    if (uri.hostText.first != nullptr) {
        reference.host = std::string(rangeText(uri.hostText));
    }
    reference.path = pathText(uri);
    reference.hasQuery = uri.query.first != nullptr;
    reference.hasFragment = uri.fragment.first != nullptr;
    uriFreeUriMembersA(&uri);
    return reference;
}

std::optional<std::string> percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            decoded += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = hexValue(text[i + 1]);
        const int low = hexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    if (!isValidUTF8(decoded)) {
        return std::nullopt;
    }
    return decoded;
}

}  // namespace ledgerly::text
