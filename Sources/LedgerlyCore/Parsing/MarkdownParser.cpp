#include "LedgerlyCore/Parsing/MarkdownParser.h"

#include "LedgerlyCore/Parsing/LineSplitter.h"
#include "LedgerlyCore/Parsing/LineSyntax.h"
#include "LedgerlyCore/Parsing/LinkSyntax.h"

#include <iterator>
#include <utility>
#include <vector>

namespace ledgerly {
namespace {

using parsing::Line;
using parsing::LineSplitter;
using text::TextView;

bool isThreeHyphens(TextView trimmed) { return trimmed.size() == 3 && trimmed.startsWith("---"); }

// An open heading. Its entries wait in the parse's shared list of pending
// items from `firstItem` on; when it closes they move into a vector of
// exactly their size, which becomes a submenu of the scope below it. Since
// nothing is appended to the parent while the child is open, the order is
// the same as if the submenu had been linked in when the heading opened.
struct HeadingScope {
    std::size_t level = 0;  // 0 for the root
    std::string title;
    std::size_t firstItem = 0;
};

// Fewer bytes per node than nearly any bookmark file has.
constexpr std::size_t kBytesPerNodeEstimate = 32;

// The working state of one parse.
class ParseRun {
public:
    ParseRun(std::string_view text, MarkdownParser::Keep keep)
        : lines_(text), keepItems_(keep == MarkdownParser::Keep::wholeDocument) {
        scopes_.push_back(HeadingScope{});
        // Room for a node every few lines up front, so that the list of open
        // items is not moved again and again as it grows; pages not used are never touched.
        if (keepItems_) {
            pending_.reserve(text.size() / kBytesPerNodeEstimate + 1);
        }
    }

    LedgerlyDocument run() {
        skipFrontMatter();
        Line line;
        while (lines_.next(line)) {
            if (!parseLine(line)) {
                break;
            }
        }
        closeScopes(1);
        if (!keepItems_) {
            return LedgerlyDocument{std::nullopt, {}, std::move(warnings_)};
        }
        return LedgerlyDocument{std::move(title_), takeItems(0), std::move(warnings_)};
    }

private:
    void warn(ParserWarningCode code, const Line& line) {
        warnings_.push_back(ParserWarning::make(line.number, code, parsing::sourceExcerpt(line.text)));
    }

    void append(MenuNode node) {
        // Without items to keep, each node is dropped at once and its memory serves the next one.
        if (keepItems_) {
            pending_.push_back(std::move(node));
        }
    }

    // The pending items from `first` on, removed from the pending list.
    std::vector<MenuNode> takeItems(std::size_t first) {
        std::vector<MenuNode> items(std::make_move_iterator(pending_.begin() + static_cast<std::ptrdiff_t>(first)),
                                    std::make_move_iterator(pending_.end()));
        pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(first), pending_.end());
        return items;
    }

    void skipFrontMatter() {
        LineSplitter probe = lines_;
        Line first;
        probe.next(first);
        if (!isThreeHyphens(first.text.trimmed())) {
            return;
        }
        lines_ = probe;
        Line line;
        while (probe.next(line)) {
            if (isThreeHyphens(line.text.trimmed())) {
                lines_ = probe;
                return;
            }
        }
        if (line.number > 1) {
            warn(ParserWarningCode::unclosedFrontMatter, first);
        }
    }

    // False when the rest of the file is to be ignored.
    bool parseLine(const Line& line) {
        const TextView trimmed = line.text.trimmed();
        if (trimmed.empty()) {
            return true;
        }
        if (trimmed.startsWith("<!--")) {
            return skipComment(line, trimmed);
        }
        // The first bytes rule out most forms before their recognisers run.
        const char first = trimmed.text.front();
        const char rawFirst = line.text.text.front();
        std::optional<parsing::Heading> heading;
        std::optional<TextView> label;
        if (first == '#' && (heading = parsing::parseHeading(trimmed))) {
            applyHeading(*heading, line);
        } else if (isThreeHyphens(trimmed)) {
            append(MenuNode{Divider{}});
        } else if ((first == '*' || first == '_') && (label = parsing::parseSectionLabel(trimmed))) {
            append(MenuNode{SectionLabel{std::string(label->text)}});
        } else if ((rawFirst == ' ' || rawFirst == '\t' || !line.text.ascii) &&
                   parsing::isNestedUnorderedListItem(line.text)) {
            warn(ParserWarningCode::nestedList, line);
        } else if (const auto content = parsing::listItemContent(line.text)) {
            parseListItem(*content, line);
        } else {
            parseOtherLine(trimmed, line);
        }
        return true;
    }

    bool skipComment(const Line& opening, TextView trimmed) {
        if (trimmed.contains("-->")) {
            return true;
        }
        LineSplitter probe = lines_;
        Line line;
        while (probe.next(line)) {
            if (line.text.contains("-->")) {
                lines_ = probe;
                return true;
            }
        }
        warn(ParserWarningCode::unclosedComment, opening);
        return false;
    }

    void applyHeading(const parsing::Heading& heading, const Line& line) {
        if (!heading.title.empty()) {
            if (heading.level == 1 && !title_) {
                title_ = std::string(heading.title.text);
                return;
            }
            closeScopes(heading.level);
            if (scopes_.size() > MarkdownParser::maximumSubmenuDepth) {
                closeScopes(scopes_.back().level);  // the root scope is not a submenu
            }
            scopes_.push_back(HeadingScope{heading.level, std::string(heading.title.text), pending_.size()});
        } else if (heading.level == 1) {
            warn(ParserWarningCode::emptyTitle, line);
        } else if (scopes_.back().level >= heading.level) {
            closeScopes(heading.level);
        } else {
            warn(ParserWarningCode::unmatchedCloseMarker, line);
        }
    }

    // Closes every open scope of `level` or deeper; the root (level 0) stays.
    void closeScopes(std::size_t level) {
        while (scopes_.back().level >= level) {
            HeadingScope closed = std::move(scopes_.back());
            scopes_.pop_back();
            auto items = takeItems(closed.firstItem);
            append(MenuNode{BookmarkSubmenu{std::move(closed.title), std::move(items)}});
        }
    }

    void parseListItem(TextView content, const Line& line) {
        if (content.empty()) {
            warn(ParserWarningCode::emptyListItem, line);
        } else if (parsing::beginsLikeLink(content)) {
            appendNamedLink(content, line);
        } else if (!appendBareLink(content)) {
            appendSnippet(content);
        }
    }

    // A labeled snippet when quoted lines follow (they are consumed), else an inline one.
    void appendSnippet(TextView content) {
        if (auto quoted = parsing::indentedBlockquoteBody(lines_)) {
            append(MenuNode{BookmarkSnippet::makeLabeled(std::string(content.text), std::move(quoted->body))});
            lines_ = quoted->resume;
        } else {
            appendInlineSnippet(content);
        }
    }

    void parseOtherLine(TextView trimmed, const Line& line) {
        if (appendBareLink(trimmed)) {
            return;
        }
        if (parsing::matchesEmailPattern(trimmed)) {
            appendInlineSnippet(trimmed);
        } else if (parsing::beginsLikeLink(trimmed)) {
            appendNamedLink(trimmed, line);
        } else {
            warn(ParserWarningCode::unsupportedLine, line);
        }
    }

    void appendNamedLink(TextView text, const Line& line) {
        auto link = parsing::parseLink(text);
        if (!link) {
            warn(ParserWarningCode::malformedLink, line);
        } else if (link->title.empty()) {
            warn(ParserWarningCode::linkWithEmptyTitle, line);
        } else if (link->urlString.empty()) {
            warn(ParserWarningCode::linkWithEmptyURL, line);
        } else {
            append(MenuNode{std::move(*link)});
        }
    }

    // False, appending nothing, when the text is no destination.
    bool appendBareLink(TextView text) {
        auto destination = parsing::classifyDestination(text, parsing::PlainEmail::refused);
        if (!destination) {
            return false;
        }
        append(MenuNode{BookmarkLink{std::string(text.text), std::move(destination->urlString), LinkEmphasis::none,
                                     LinkSource::bare, destination->actionFamily}});
        return true;
    }

    void appendInlineSnippet(TextView text) {
        const SnippetKind kind = parsing::matchesEmailPattern(text) ? SnippetKind::email : SnippetKind::text;
        append(MenuNode{BookmarkSnippet::makeInline(std::string(text.text), kind)});
    }

    LineSplitter lines_;
    bool keepItems_;
    std::optional<std::string> title_;
    std::vector<ParserWarning> warnings_;
    std::vector<HeadingScope> scopes_;
    std::vector<MenuNode> pending_;
};

}  // namespace

LedgerlyDocument MarkdownParser::parse(std::string_view text, Keep keep) const { return ParseRun(text, keep).run(); }

}  // namespace ledgerly
