#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ledgerly::text {

// The RFC 3986 components of an absolute URI or relative reference, as
// written (still percent-encoded). Parsed with uriparser.
struct UriReference {
    std::string scheme;               // empty for a relative reference
    std::optional<std::string> host;  // present when an authority was written
    std::string path;                 // with its leading "/" when it has one
    bool hasQuery = false;            // a "?" was written, even with nothing after it
    bool hasFragment = false;

    // None when `text` is no valid URI reference.
    static std::optional<UriReference> parse(std::string_view text);

    bool operator==(const UriReference&) const = default;
};

// Decodes %XX escapes. None when a "%" is not followed by two hexadecimal
// digits, or when the decoded bytes are not well-formed UTF-8.
std::optional<std::string> percentDecoded(std::string_view text);

}  // namespace ledgerly::text
