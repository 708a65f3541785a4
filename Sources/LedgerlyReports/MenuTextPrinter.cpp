#include "LedgerlyReports/MenuTextPrinter.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace ledgerly::reports {
namespace {

constexpr std::uint64_t kShift = 0x20000;
constexpr std::uint64_t kControl = 0x40000;
constexpr std::uint64_t kOption = 0x80000;
constexpr std::uint64_t kCommand = 0x100000;
constexpr std::string_view kSeparator = "----------------";

// Titles may hold line feeds (a snippet body); keep one entry on one line.
std::string oneLine(std::string_view text) {
    std::string line;
    for (const char character : text) {
        if (character == '\n') {
            line += "\\n";
        } else if (character == '\r') {
            line += "\\r";
        } else {
            line += character;
        }
    }
    return line;
}

// On Linux, Command with a letter is shown and pressed as Ctrl, and Option is Alt.
std::string modifierNames(std::uint64_t mask) {
    std::string names;
    const auto add = [&names](std::string_view name) { names += (names.empty() ? "" : "+") + std::string(name); };
    if ((mask & (kControl | kCommand)) != 0) {
        add("Ctrl");
    }
    if ((mask & kOption) != 0) {
        add("Alt");
    }
    if ((mask & kShift) != 0) {
        add("Shift");
    }
    return names;
}

std::string keyText(const MenuEntry& entry) {
    std::string key = entry.keyEquivalent;
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') {
        key[0] = static_cast<char>(key[0] - 'a' + 'A');
    }
    const std::string modifiers = modifierNames(entry.keyEquivalentModifierMask);
    return modifiers.empty() ? key : modifiers + "+" + key;
}

std::string notes(const MenuEntry& entry) {
    std::vector<std::string> parts;
    if (!entry.enabled) {
        parts.emplace_back("disabled");
    }
    if (entry.font == MenuFont::italic) {
        parts.emplace_back("italic");
    } else if (entry.font == MenuFont::bold) {
        parts.emplace_back("bold");
    }
    if (!entry.keyEquivalent.empty()) {
        parts.push_back(keyText(entry));
    }
    std::string text;
    for (const auto& part : parts) {
        text += (text.empty() ? "  (" : ", ") + part;
    }
    return text.empty() ? text : text + ")";
}

class Printer {
public:
    std::string text;

    void print(const Menu& menu, std::size_t depth) {
        for (const MenuEntry& entry : menu.entries) {
            printEntry(entry, depth);
        }
    }

private:
    void line(std::size_t depth, std::string_view content) {
        text.append(depth * 4, ' ');
        text += content;
        text += '\n';
    }

    void printEntry(const MenuEntry& entry, std::size_t depth) {
        switch (entry.kind) {
        case MenuEntryKind::separator:
            return line(depth, kSeparator);
        case MenuEntryKind::sectionHeader:
            return line(depth, "-- " + oneLine(entry.title) + " --");
        case MenuEntryKind::item:
            break;
        }
        if (entry.isAlternate) {
            // Shown in place of the entry above while its modifier is held.
            line(depth + 1, "with " + modifierNames(entry.keyEquivalentModifierMask) +
                                " held: " + oneLine(entry.title) + notes(entry));
        } else {
            line(depth, oneLine(entry.title) + (entry.submenu ? " >" : "") + notes(entry));
        }
        if (entry.subtitle) {
            line(depth + 1, "subtitle: " + oneLine(*entry.subtitle));
        }
        if (entry.submenu) {
            print(*entry.submenu, depth + 1);
        }
    }
};

}  // namespace

std::string menuText(const Menu& menu) {
    Printer printer;
    printer.print(menu, 0);
    return printer.text;
}

std::string menuReportText(const std::string& statusTitle, const Menu& menu) {
    return "Status item: " + oneLine(statusTitle) + "\n\n" + menuText(menu);
}

}  // namespace ledgerly::reports
