#pragma once

#include "LedgerlyCore/Models/BookmarkModel.h"
#include "LedgerlyCore/Text/TextView.h"

#include <optional>
#include <string>

// The recognisers for links, destinations and e-mail addresses. The three
// patterns (scheme, e-mail, domain) are exact hand-written matchers on code
// points, with white space meaning TAB and General Category Zs.
namespace ledgerly::parsing {

// A destination's URL text and what opening it does.
struct ClassifiedDestination {
    std::string urlString;
    LinkActionFamily actionFamily = LinkActionFamily::web;
    bool operator==(const ClassifiedDestination&) const = default;
};

// A text and the emphasis that its markers gave.
struct EmphasizedText {
    text::TextView text;
    LinkEmphasis emphasis = LinkEmphasis::none;
};

// `[title](destination)`, possibly wrapped in "*" or "**"; none when malformed.
// A returned link may have an empty title or an empty urlString: the caller warns.
std::optional<BookmarkLink> parseLink(text::TextView text);

// Removes one outer "**" or "*" pair (trimming what is inside).
EmphasizedText unwrapLinkEmphasis(text::TextView text);

// The trimmed title between the brackets, without its markers.
EmphasizedText parseEmphasis(text::TextView rawTitle);

// Whether a bare "name@example.com" counts as an address to write to.
enum class PlainEmail { allowed, refused };

// What a destination opens; none when it is empty, holds white space or fits no form.
std::optional<ClassifiedDestination> classifyDestination(text::TextView text, PlainEmail plainEmail);

// "^[^\s@]+@[^\s@]+\.[^\s@]+$"
bool matchesEmailPattern(text::TextView text);

// "^[A-Za-z][A-Za-z0-9+.-]*:"
bool matchesSchemePattern(text::TextView text);

// "^[A-Za-z][A-Za-z0-9+.-]*://": a scheme followed by an authority, never an e-mail address.
bool matchesSchemeWithAuthority(text::TextView text);

}  // namespace ledgerly::parsing
