#include "LedgerlyReports/DocumentTreePrinter.h"

#include <sstream>

namespace ledgerly::reports {
namespace {

const char* familyLabel(LinkActionFamily family) {
    switch (family) {
    case LinkActionFamily::web:
        return "web";
    case LinkActionFamily::mailCompose:
        return "mail";
    case LinkActionFamily::localAction:
        return "local file";
    case LinkActionFamily::externalURLScheme:
        return "other app";
    }
    return "web";
}

std::string linkDetails(const BookmarkLink& link) {
    std::string details = familyLabel(link.actionFamily);
    if (link.source == LinkSource::bare) {
        details += ", bare";
    }
    if (link.emphasis == LinkEmphasis::soft) {
        details += ", soft";
    } else if (link.emphasis == LinkEmphasis::priority) {
        details += ", priority";
    }
    return details;
}

class TreeWriter {
public:
    void writeItems(const std::vector<MenuNode>& items, int depth) {
        for (const auto& item : items) {
            writeNode(item, depth);
        }
    }

    std::string text() const { return out_.str(); }
    std::ostringstream& out() { return out_; }

private:
    void indent(int depth) { out_ << std::string(static_cast<std::size_t>(depth) * 2, ' '); }

    void writeNode(const MenuNode& node, int depth) {
        indent(depth);
        if (const auto* link = std::get_if<BookmarkLink>(&node.value)) {
            out_ << "- link \"" << link->title << "\" -> " << link->urlString << " (" << linkDetails(*link) << ")\n";
        } else if (const auto* snippet = std::get_if<BookmarkSnippet>(&node.value)) {
            writeSnippet(*snippet, depth);
        } else if (const auto* submenu = std::get_if<BookmarkSubmenu>(&node.value)) {
            out_ << "- submenu \"" << submenu->title << "\"" << (submenu->items.empty() ? " (empty)" : "") << '\n';
            writeItems(submenu->items, depth + 1);
        } else if (const auto* label = std::get_if<SectionLabel>(&node.value)) {
            out_ << "- label \"" << label->text << "\"\n";
        } else {
            out_ << "- divider\n";
        }
    }

    void writeSnippet(const BookmarkSnippet& snippet, int depth) {
        if (const auto* inlineSnippet = std::get_if<BookmarkSnippet::Inline>(&snippet.value)) {
            out_ << "- snippet \"" << inlineSnippet->text << "\""
                 << (inlineSnippet->kind == SnippetKind::email ? " (e-mail)" : "") << '\n';
            return;
        }
        const auto& labeled = std::get<BookmarkSnippet::Labeled>(snippet.value);
        out_ << "- snippet \"" << labeled.label << "\" copies:\n";
        std::istringstream body(labeled.body);
        for (std::string line; std::getline(body, line);) {
            indent(depth + 2);
            out_ << "| " << line << '\n';
        }
    }

    std::ostringstream out_;
};

}  // namespace

std::string documentTree(const LedgerlyDocument& document) {
    TreeWriter writer;
    auto& out = writer.out();
    out << "Title: " << (document.title ? "\"" + *document.title + "\"" : std::string("(none)")) << '\n';
    out << "Items:" << (document.items.empty() ? " none" : "") << '\n';
    writer.writeItems(document.items, 1);
    out << "Warnings:" << (document.warnings.empty() ? " none" : "") << '\n';
    for (const auto& warning : document.warnings) {
        out << "  line " << warning.line << ": " << warning.message << '\n';
        if (warning.sourceExcerpt) {
            out << "      | " << *warning.sourceExcerpt << '\n';
        }
    }
    return writer.text();
}

}  // namespace ledgerly::reports
