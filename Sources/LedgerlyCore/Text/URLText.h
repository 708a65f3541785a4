#pragma once

#include "LedgerlyCore/Text/UriReference.h"

#include <optional>
#include <string>
#include <string_view>

namespace ledgerly::text {

// A link's URL text made into a URL the way desktop URL parsers do it, rather
// than refusing it: every character outside RFC 3986's repertoire becomes its
// UTF-8 percent escapes (so does a "%" that starts no escape, and "[" or "]"
// outside the host), and a non-ASCII host takes its IDNA (punycode) form.
// Valid escapes and text that already is a URL stay as written. None when the
// result is still no absolute URI: no scheme, a bad port or host.
std::optional<std::string> encodedURL(std::string_view text);

// The components of encodedURL(text), parsed once: for readers of a link's
// URL that look into it rather than hand it on.
std::optional<UriReference> parsedURL(std::string_view text);

}  // namespace ledgerly::text
