#pragma once

#include "LedgerlyCore/Parsing/LineSplitter.h"
#include "LedgerlyCore/Text/TextView.h"

#include <cstddef>
#include <optional>
#include <string>

// Recognisers for the line-level forms: headings, section labels, list
// markers, quoted snippet bodies and warning excerpts.
namespace ledgerly::parsing {

struct Heading {
    std::size_t level = 0;  // the number of leading "#"
    text::TextView title;   // trimmed; empty for a close marker or "#"
};

// `#`s then white space then a title, on a trimmed line; none when no heading.
std::optional<Heading> parseHeading(text::TextView trimmedLine);

// `**Label**` or `__Label__` on a trimmed line; none when no label.
std::optional<text::TextView> parseSectionLabel(text::TextView trimmedLine);

// An indented "- ", "* " or "+ " on an untrimmed line.
bool isNestedUnorderedListItem(text::TextView rawLine);

// The content after a "- ", "* " or "+ " that starts the untrimmed line, trimmed.
std::optional<text::TextView> listItemContent(text::TextView rawLine);

// Whether the text begins with "[", "*[" or "**[".
bool beginsLikeLink(text::TextView text);

// The trimmed line, cut to at most 100 characters; none when blank.
std::optional<std::string> sourceExcerpt(text::TextView rawLine);

struct QuotedBody {
    std::string body;     // lines joined with line feeds
    LineSplitter resume;  // positioned at the first line after the body
};

// The indented ">" lines that `lines` is positioned at; none when there are
// none or all of them are blank.
std::optional<QuotedBody> indentedBlockquoteBody(const LineSplitter& lines);

}  // namespace ledgerly::parsing
