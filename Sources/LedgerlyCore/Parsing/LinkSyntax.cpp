#include "LedgerlyCore/Parsing/LinkSyntax.h"

namespace ledgerly::parsing {

using text::TextView;
namespace {

bool isASCIILetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool isASCIIDigit(char c) { return c >= '0' && c <= '9'; }

char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-insensitive "begins with" for an ASCII lower-case prefix. Only
// U+212A KELVIN SIGN lower-cases to an ASCII letter ("k"), which none of our
// prefixes holds, so comparing bytes equals comparing the lower-cased text.
bool startsWithIgnoringCase(TextView text, std::string_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (asciiLower(text.text[i]) != lowerPrefix[i]) {
            return false;
        }
    }
    return text.isCharacterBoundary(lowerPrefix.size());
}

// The length of the scheme before the ":" that ends it; npos when the text begins with none.
std::size_t schemeLength(std::string_view s) {
    if (s.empty() || !isASCIILetter(s[0])) {
        return std::string_view::npos;
    }
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ':') {
            return i;
        }
        if (!isASCIILetter(c) && !isASCIIDigit(c) && c != '+' && c != '.' && c != '-') {
            return std::string_view::npos;
        }
    }
    return std::string_view::npos;
}

EmphasizedText unwrapMarkers(TextView text) {
    if (text.startsWith("**") && text.endsWith("**") && text.size() >= 4) {
        return {text.sub(2, text.size() - 4).trimmed(), LinkEmphasis::priority};
    }
    if (text.startsWith("*") && text.endsWith("*") && text.size() >= 2) {
        return {text.sub(1, text.size() - 2).trimmed(), LinkEmphasis::soft};
    }
    return {text, LinkEmphasis::none};
}

// The host of the domain pattern: dot-separated labels of [A-Za-z0-9-], at
// least two, the last made of two or more letters.
bool isDomainHost(std::string_view host) {
    std::size_t labelStart = 0;
    std::size_t labels = 0;
    for (std::size_t i = 0; i <= host.size(); ++i) {
        if (i < host.size() && host[i] != '.') {
            continue;
        }
        if (i == labelStart) {
            return false;  // empty label
        }
        ++labels;
        if (i == host.size()) {
            const std::string_view last = host.substr(labelStart);
            if (labels < 2 || last.size() < 2) {
                return false;
            }
            for (const char c : last) {
                if (!isASCIILetter(c)) {
                    return false;
                }
            }
        }
        labelStart = i + 1;
    }
    return true;
}

std::string prefixed(std::string_view prefix, std::string_view text) {
    std::string result;
    result.reserve(prefix.size() + text.size());
    result.append(prefix).append(text);
    return result;
}

bool isHostCharacter(char c) { return isASCIILetter(c) || isASCIIDigit(c) || c == '-' || c == '.'; }

// "^([A-Za-z0-9-]+\.)+[A-Za-z]{2,}(:[0-9]+)?(/[^\s]*)?$" on a text already
// known to hold no white-space character.
bool matchesDomainPattern(TextView text) {
    const std::string_view s = text.text;
    std::size_t i = 0;
    while (i < s.size() && isHostCharacter(s[i])) {
        ++i;
    }
    // The host cannot stop early: what may follow it (":", "/", the end) is no host character.
    if (!isDomainHost(s.substr(0, i))) {
        return false;
    }
    if (i < s.size() && s[i] == ':') {
        const std::size_t digitsStart = ++i;
        while (i < s.size() && isASCIIDigit(s[i])) {
            ++i;
        }
        if (i == digitsStart) {
            return false;
        }
    }
    if (i == s.size()) {
        return true;
    }
    // Without a white-space character, only non-ASCII text can still hold a
    // white-space code point (one carrying a combining mark).
    return s[i] == '/' && (text.ascii || !text.sub(i).containsWhiteSpaceCodePoint());
}

}  // namespace

EmphasizedText unwrapLinkEmphasis(TextView text) { return unwrapMarkers(text); }

EmphasizedText parseEmphasis(TextView rawTitle) { return unwrapMarkers(rawTitle.trimmed()); }

std::optional<BookmarkLink> parseLink(TextView text) {
    const EmphasizedText outer = unwrapLinkEmphasis(text);
    const TextView inner = outer.text;
    if (!inner.startsWith("[")) {
        return std::nullopt;
    }
    const std::size_t closeBracket = inner.find("]", 1);
    if (closeBracket == std::string_view::npos || !inner.sub(closeBracket + 1).startsWith("(")) {
        return std::nullopt;
    }
    const std::size_t openParen = closeBracket + 1;
    const std::size_t closeParen = inner.find(")", openParen + 1);
    if (closeParen == std::string_view::npos || closeParen + 1 != inner.size()) {
        return std::nullopt;
    }
    const EmphasizedText title = parseEmphasis(inner.sub(1, closeBracket - 1));
    const TextView destination = inner.sub(openParen + 1, closeParen - openParen - 1).trimmed();
    BookmarkLink link{std::string(title.text.text), std::string(),
                      title.emphasis != LinkEmphasis::none ? title.emphasis : outer.emphasis, LinkSource::named,
                      LinkActionFamily::web};
    if (destination.empty()) {
        return link;
    }
    auto classified = classifyDestination(destination, PlainEmail::allowed);
    if (!classified) {
        return std::nullopt;
    }
    link.urlString = std::move(classified->urlString);
    link.actionFamily = classified->actionFamily;
    return link;
}

std::optional<ClassifiedDestination> classifyDestination(TextView text, PlainEmail plainEmail) {
    if (text.empty() || text.containsWhiteSpace()) {
        return std::nullopt;
    }
    const std::string_view asWritten = text.text;
    if (startsWithIgnoringCase(text, "http://") || startsWithIgnoringCase(text, "https://")) {
        return ClassifiedDestination{std::string(asWritten), LinkActionFamily::web};
    }
    if (startsWithIgnoringCase(text, "mailto:")) {
        return ClassifiedDestination{std::string(asWritten), LinkActionFamily::mailCompose};
    }
    // "ssh://admin@host" matches the e-mail pattern too, but is a URL with an authority.
    if (plainEmail == PlainEmail::allowed && !matchesSchemeWithAuthority(text) && matchesEmailPattern(text)) {
        return ClassifiedDestination{prefixed("mailto:", asWritten), LinkActionFamily::mailCompose};
    }
    if (startsWithIgnoringCase(text, "file://")) {
        return ClassifiedDestination{std::string(asWritten), LinkActionFamily::localAction};
    }
    if (matchesSchemePattern(text)) {
        return ClassifiedDestination{std::string(asWritten), LinkActionFamily::externalURLScheme};
    }
    if (matchesDomainPattern(text)) {
        return ClassifiedDestination{prefixed("https://", asWritten), LinkActionFamily::web};
    }
    return std::nullopt;
}

bool matchesEmailPattern(TextView text) {
    const std::string_view s = text.text;
    const std::size_t at = s.find('@');
    if (at == 0 || at == std::string_view::npos || s.find('@', at + 1) != std::string_view::npos) {
        return false;
    }
    // After the "@": a full stop with at least one code point on each side.
    const std::string_view domain = s.substr(at + 1);
    if (domain.size() < 3 || domain.find('.', 1) >= domain.size() - 1) {
        return false;
    }
    return !text.containsWhiteSpaceCodePoint();
}

bool matchesSchemePattern(TextView text) { return schemeLength(text.text) != std::string_view::npos; }

bool matchesSchemeWithAuthority(TextView text) {
    const std::size_t length = schemeLength(text.text);
    return length != std::string_view::npos && text.text.substr(length + 1).starts_with("//");
}

}  // namespace ledgerly::parsing
