#include "LedgerlyCore/Text/URLText.h"

#include "LedgerlyCore/Text/UriReference.h"

#include <unicode/uidna.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

namespace ledgerly::text {
namespace {

enum class Component { userInfo, path, queryOrFragment };

bool isASCIILetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isASCIIDigit(char c) { return c >= '0' && c <= '9'; }

bool isASCIIAlphanumeric(char c) { return isASCIILetter(c) || isASCIIDigit(c); }

bool isHexDigit(char c) { return isASCIIDigit(c) || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

bool isAllowedAsWritten(char c, Component component) {
    if (isASCIIAlphanumeric(c) || std::string_view("-._~!$&'()*+,;=:").find(c) != std::string_view::npos) {
        return true;
    }
    switch (component) {
    case Component::userInfo:
        return false;
    case Component::path:
        return c == '@' || c == '/';
    case Component::queryOrFragment:
        return c == '@' || c == '/' || c == '?';
    }
    return false;
}

void appendEncoded(std::string& out, std::string_view text, Component component) {
    static constexpr std::string_view digits = "0123456789ABCDEF";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool validEscape = c == '%' && i + 2 < text.size() && isHexDigit(text[i + 1]) && isHexDigit(text[i + 2]);
        if (validEscape || (c != '%' && isAllowedAsWritten(c, component))) {
            out += c;
            continue;
        }
        const auto byte = static_cast<unsigned char>(c);
        out += '%';
        out += digits[byte >> 4];
        out += digits[byte & 0x0F];
    }
}

bool isASCII(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

struct IDNADeleter {
    void operator()(UIDNA* idna) const { uidna_close(idna); }
};

// Hyphen rules are not checked, as browsers do not check them either.
constexpr std::uint32_t ignoredIDNAErrors =
    UIDNA_ERROR_LEADING_HYPHEN | UIDNA_ERROR_TRAILING_HYPHEN | UIDNA_ERROR_HYPHEN_3_4;

std::optional<std::string> asciiHost(std::string_view host) {
    if (isASCII(host)) {
        return std::string(host);
    }
    // Created once; ICU allows concurrent use of one UIDNA.
    static const std::unique_ptr<UIDNA, IDNADeleter> idna = [] {
        UErrorCode status = U_ZERO_ERROR;
        return std::unique_ptr<UIDNA, IDNADeleter>(uidna_openUTS46(UIDNA_NONTRANSITIONAL_TO_ASCII, &status));
    }();
    if (!idna) {
        return std::nullopt;
    }
    std::array<char, 512> buffer{};
    UErrorCode status = U_ZERO_ERROR;
    UIDNAInfo info = UIDNA_INFO_INITIALIZER;
    const int32_t length = uidna_nameToASCII_UTF8(idna.get(), host.data(), static_cast<int32_t>(host.size()),
                                                  buffer.data(), static_cast<int32_t>(buffer.size()), &info, &status);
    if (U_FAILURE(status) || (info.errors & ~ignoredIDNAErrors) != 0) {
        return std::nullopt;
    }
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::size_t schemeLength(std::string_view text) {
    if (text.empty() || !isASCIILetter(text[0])) {
        return 0;
    }
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ':') {
            return i;
        }
        if (!isASCIIAlphanumeric(c) && c != '+' && c != '-' && c != '.') {
            return 0;
        }
    }
    return 0;
}

// "userinfo@host:port", with the host made ASCII; none when it has no ASCII form.
std::optional<std::string> encodedAuthority(std::string_view authority) {
    std::string out;
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) {
        appendEncoded(out, authority.substr(0, at), Component::userInfo);
        out += '@';
        authority.remove_prefix(at + 1);
    }
    // An IP literal is kept as written: its brackets are the only place "[" and "]" belong.
    std::size_t hostEnd = authority.size();
    if (authority.starts_with('[')) {
        hostEnd = authority.find(']');
        hostEnd = hostEnd == std::string_view::npos ? authority.size() : hostEnd + 1;
    } else if (const std::size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
        hostEnd = colon;
    }
    const auto host = asciiHost(authority.substr(0, hostEnd));
    if (!host) {
        return std::nullopt;
    }
    out += *host;
    out += authority.substr(hostEnd);  // the port, left for the parser to judge
    return out;
}

// The text with its escapes and ASCII host, not yet checked to be a URI;
// none without a scheme or with a host that has no ASCII form.
std::optional<std::string> escapedURLText(std::string_view text) {
    const std::size_t colon = schemeLength(text);
    if (colon == 0) {
        return std::nullopt;
    }
    std::string out(text.substr(0, colon + 1));
    out.reserve(text.size() + 16);
    std::string_view rest = text.substr(colon + 1);
    if (rest.starts_with("//")) {
        const std::size_t authorityEnd = std::min(rest.find_first_of("/?#", 2), rest.size());
        const auto authority = encodedAuthority(rest.substr(2, authorityEnd - 2));
        if (!authority) {
            return std::nullopt;
        }
        out += "//";
        out += *authority;
        rest.remove_prefix(authorityEnd);
    }
    // The first "?" starts the query and the first "#" the fragment; a later "#" is escaped.
    const std::size_t fragmentStart = std::min(rest.find('#'), rest.size());
    const std::size_t queryStart = std::min(rest.substr(0, fragmentStart).find('?'), fragmentStart);
    appendEncoded(out, rest.substr(0, queryStart), Component::path);
    if (queryStart < fragmentStart) {
        out += '?';
        appendEncoded(out, rest.substr(queryStart + 1, fragmentStart - queryStart - 1), Component::queryOrFragment);
    }
    if (fragmentStart < rest.size()) {
        out += '#';
        appendEncoded(out, rest.substr(fragmentStart + 1), Component::queryOrFragment);
    }
    return out;
}

bool isAbsoluteURI(const std::string& text) {
    const auto reference = UriReference::parse(text);
    return reference && !reference->scheme.empty();
}

}  // namespace

std::optional<std::string> encodedURL(std::string_view text) {
    auto escaped = escapedURLText(text);
    if (!escaped || !isAbsoluteURI(*escaped)) {
        return std::nullopt;
    }
    return escaped;
}

std::optional<UriReference> parsedURL(std::string_view text) {
    const auto escaped = escapedURLText(text);
    auto reference = escaped ? UriReference::parse(*escaped) : std::nullopt;
    if (!reference || reference->scheme.empty()) {
        return std::nullopt;
    }
    return reference;
}

}  // namespace ledgerly::text
