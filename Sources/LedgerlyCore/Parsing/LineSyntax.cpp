#include "LedgerlyCore/Parsing/LineSyntax.h"

#include "LedgerlyCore/Text/UnicodeText.h"

#include <vector>

namespace ledgerly::parsing {

using text::TextView;
namespace {

constexpr std::size_t kExcerptLimit = 100;
constexpr std::string_view kEllipsis = "...";

bool beginsWithListMarker(TextView text) {
    return text.startsWith("- ") || text.startsWith("* ") || text.startsWith("+ ");
}

// One line of a quoted body, or none when the line ends the body.
std::optional<TextView> quotedLine(TextView rawLine) {
    const TextView trimmed = rawLine.trimmedWhiteSpace();
    if (trimmed.size() == rawLine.size() || !trimmed.startsWith(">")) {
        return std::nullopt;
    }
    TextView rest = trimmed.sub(1);
    if (rest.startsWith(" ")) {
        rest = rest.sub(1);
    }
    return rest;
}

}  // namespace

std::optional<Heading> parseHeading(TextView trimmedLine) {
    const std::string_view s = trimmedLine.text;
    std::size_t level = 0;
    while (level < s.size() && s[level] == '#') {
        ++level;
    }
    // A combining mark after the last "#" makes it another character.
    if (level > 0 && !trimmedLine.isCharacterBoundary(level)) {
        --level;
    }
    if (level == 0) {
        return std::nullopt;
    }
    std::size_t spaceLength = 0;
    if (level < s.size() && !trimmedLine.whiteSpaceCharacterAt(level, &spaceLength)) {
        return std::nullopt;
    }
    return Heading{level, trimmedLine.sub(level).trimmed()};
}

std::optional<TextView> parseSectionLabel(TextView trimmedLine) {
    for (const std::string_view marker : {std::string_view("**"), std::string_view("__")}) {
        if (trimmedLine.size() >= 4 && trimmedLine.startsWith(marker) && trimmedLine.endsWith(marker)) {
            const TextView label = trimmedLine.sub(2, trimmedLine.size() - 4).trimmed();
            if (!label.empty()) {
                return label;
            }
        }
    }
    return std::nullopt;
}

bool isNestedUnorderedListItem(TextView rawLine) {
    std::size_t offset = 0;
    std::size_t length = 0;
    while (rawLine.whiteSpaceCharacterAt(offset, &length)) {
        offset += length;
    }
    return offset > 0 && beginsWithListMarker(rawLine.sub(offset));
}

std::optional<TextView> listItemContent(TextView rawLine) {
    if (!beginsWithListMarker(rawLine)) {
        return std::nullopt;
    }
    return rawLine.sub(2).trimmed();
}

bool beginsLikeLink(TextView text) { return text.startsWith("[") || text.startsWith("*[") || text.startsWith("**["); }

std::optional<std::string> sourceExcerpt(TextView rawLine) {
    const TextView trimmed = rawLine.trimmed();
    if (trimmed.empty()) {
        return std::nullopt;
    }
    if (trimmed.size() <= kExcerptLimit || !text::hasMoreCharactersThan(trimmed.text, kExcerptLimit)) {
        return std::string(trimmed.text);
    }
    std::string excerpt(text::prefixCharacters(trimmed.text, kExcerptLimit - kEllipsis.size()));
    excerpt += kEllipsis;
    return excerpt;
}

std::optional<QuotedBody> indentedBlockquoteBody(const LineSplitter& lines) {
    LineSplitter cursor = lines;
    LineSplitter resume = lines;
    std::vector<TextView> bodyLines;
    bool anyNonBlank = false;
    Line line;
    while (cursor.next(line)) {
        const auto quoted = quotedLine(line.text);
        if (!quoted) {
            break;
        }
        bodyLines.push_back(*quoted);
        anyNonBlank = anyNonBlank || !quoted->trimmed().empty();
        resume = cursor;
    }
    if (!anyNonBlank) {
        return std::nullopt;
    }
    std::string body;
    for (std::size_t i = 0; i < bodyLines.size(); ++i) {
        if (i > 0) {
            body += '\n';
        }
        body += bodyLines[i].text;
    }
    return QuotedBody{std::move(body), resume};
}

}  // namespace ledgerly::parsing
