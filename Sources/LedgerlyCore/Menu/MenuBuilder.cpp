#include "LedgerlyCore/Menu/MenuBuilder.h"

#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"
#include "LedgerlyCore/Menu/MenuDisplayBudget.h"
#include "LedgerlyCore/Menu/MenuIcons.h"
#include "LedgerlyCore/Menu/StatusIssue.h"
#include "LedgerlyCore/Menu/TitleShortening.h"

#include <cstdlib>

namespace ledgerly {
namespace {

constexpr std::int64_t kRevealPathMaximumCharacters = 44;

// One build: the handler's liveness is decided once, so a whole menu agrees on it.
class MenuTree {
public:
    MenuTree(bool hasTarget, const SymbolAvailability& symbols, const std::string& homeFolder)
        : hasTarget_(hasTarget), icons_(symbols), homeFolder_(homeFolder) {}

    Menu build(const LedgerlyMenuState& state, const std::optional<std::filesystem::path>& selectedFileURL) const {
        Menu menu;
        appendContent(state, menu);
        menu.entries.push_back(MenuEntry::separator());
        menu.entries.push_back(buildAdminSubmenu(state, selectedFileURL));
        return menu;
    }

private:
    MenuEntry actionEntry(std::string title, MenuAction action) const {
        MenuEntry entry = MenuEntry::item(std::move(title));
        entry.action = action;
        entry.hasTarget = hasTarget_;
        return entry;
    }

    static MenuEntry disabledEntry(std::string title) {
        MenuEntry entry = MenuEntry::item(std::move(title));
        entry.enabled = false;
        return entry;
    }

    void appendRecoveryEntries(Menu& menu) const {
        menu.entries.push_back(actionEntry("Open Markdown File...", MenuAction::chooseMarkdownFile));
        menu.entries.push_back(actionEntry("Save Starter File...", MenuAction::saveStarterFile));
    }

    void appendContent(const LedgerlyMenuState& state, Menu& menu) const {
        if (const auto* document = std::get_if<LedgerlyMenuState::Document>(&state.value)) {
            if (document->document.items.empty()) {
                menu.entries.push_back(disabledEntry("No menu items found"));
            } else {
                append(document->document.items, menu, MenuDisplayBudget::topLevelTitleMaximumCharacters);
            }
            return;
        }
        if (const auto* unavailable = std::get_if<LedgerlyMenuState::Unavailable>(&state.value)) {
            menu.entries.push_back(disabledEntry(unavailable->message));
            return;
        }
        menu.entries.push_back(disabledEntry(unshownStateTitle(state)));
        appendRecoveryEntries(menu);
    }

    static std::string unshownStateTitle(const LedgerlyMenuState& state) {
        if (std::holds_alternative<LedgerlyMenuState::SelectedFileUnreadable>(state.value)) {
            return "Can't read selected file";
        }
        if (std::holds_alternative<LedgerlyMenuState::SelectedFileNotFound>(state.value)) {
            return "Selected file not found";
        }
        return "No file selected";
    }

    void append(const std::vector<MenuNode>& nodes, Menu& menu, std::int64_t titleMaximumCharacters) const {
        const MenuDisplayBudget budget = makeDisplayBudget(nodes, titleMaximumCharacters);
        // At most two entries per node (a primary and its alternate, or a separator and a header).
        menu.entries.reserve(menu.entries.size() + 2 * nodes.size());
        for (const MenuNode& node : nodes) {
            std::visit([&](const auto& payload) { appendNode(payload, menu, budget); }, node.value);
        }
    }

    void appendNode(const BookmarkLink& link, Menu& menu, const MenuDisplayBudget& budget) const {
        menu.entries.push_back(makePrimaryLinkItem(link, budget));
        menu.entries.push_back(makeAlternateItem(link.alternateCopyPayload(), budget));
    }

    void appendNode(const BookmarkSnippet& snippet, Menu& menu, const MenuDisplayBudget& budget) const {
        MenuEntry primary = actionEntry(makeDisplayTitle(snippet.displayTitle(), budget.titleMaximumCharacters),
                                        MenuAction::copyTextFromMenuItem);
        primary.representedObject = snippet.copyPayload();
        if (!snippet.usesLabeledIcon()) {
            primary.image = MenuIcons::makeCopyIcon();
            menu.entries.push_back(std::move(primary));
            return;
        }
        primary.image = icons_.makeLabeledSnippetIcon();
        menu.entries.push_back(std::move(primary));
        menu.entries.push_back(makeAlternateItem(snippet.copyPayload(), budget));
    }

    void appendNode(const BookmarkSubmenu& submenu, Menu& menu, const MenuDisplayBudget& budget) const {
        menu.entries.push_back(makeSubmenuItem(submenu, budget));
    }

    void appendNode(const SectionLabel& label, Menu& menu, const MenuDisplayBudget& budget) const {
        if (!menu.entries.empty() && menu.entries.back().kind != MenuEntryKind::separator) {
            menu.entries.push_back(MenuEntry::separator());
        }
        menu.entries.push_back(MenuEntry::sectionHeader(makeDisplayTitle(label.text, budget.titleMaximumCharacters)));
    }

    void appendNode(const Divider&, Menu& menu, const MenuDisplayBudget&) const {
        menu.entries.push_back(MenuEntry::separator());
    }

    MenuEntry makePrimaryLinkItem(const BookmarkLink& link, const MenuDisplayBudget& budget) const {
        MenuEntry entry =
            actionEntry(makeDisplayTitle(link.title, budget.titleMaximumCharacters), MenuAction::openURLFromMenuItem);
        entry.keyEquivalentModifierMask = MenuEntry::noModifierMask;
        entry.representedObject = link.urlString;
        entry.image = icons_.makeIcon(link);
        entry.font = fontFor(link.emphasis);
        return entry;
    }

    static MenuFont fontFor(LinkEmphasis emphasis) {
        switch (emphasis) {
        case LinkEmphasis::soft:
            return MenuFont::italic;
        case LinkEmphasis::priority:
            return MenuFont::bold;
        case LinkEmphasis::none:
            break;
        }
        return MenuFont::none;
    }

    // Shown in place of the entry before it while Option is held; copies `payload`.
    MenuEntry makeAlternateItem(const std::string& payload, const MenuDisplayBudget& budget) const {
        MenuEntry entry = actionEntry(makeDisplayTitle(payload, budget.alternateTitleMaximumCharacters),
                                      MenuAction::copyTextFromMenuItem);
        entry.keyEquivalentModifierMask = MenuEntry::optionModifierMask;
        entry.representedObject = payload;
        entry.image = MenuIcons::makeCopyIcon();
        entry.isAlternate = true;
        return entry;
    }

    MenuEntry makeSubmenuItem(const BookmarkSubmenu& submenu, const MenuDisplayBudget& budget) const {
        MenuEntry entry = MenuEntry::item(makeDisplayTitle(submenu.title, budget.titleMaximumCharacters));
        entry.image = icons_.makeBookmarkSubmenuIcon();
        Menu items;
        append(submenu.items, items, MenuDisplayBudget::nestedTitleMaximumCharacters);
        if (items.entries.empty()) {
            items.entries.push_back(disabledEntry("No Items"));
        }
        entry.submenu = std::make_shared<const Menu>(std::move(items));
        return entry;
    }

    MenuEntry buildAdminSubmenu(const LedgerlyMenuState& state,
                                const std::optional<std::filesystem::path>& selectedFileURL) const {
        Menu admin;
        admin.entries.push_back(withKey(actionEntry("Open Markdown File...", MenuAction::chooseMarkdownFile), "o"));
        if (offersStarterFile(state)) {
            admin.entries.push_back(actionEntry("Save Starter File...", MenuAction::saveStarterFile));
        }
        admin.entries.push_back(makeRevealItem(state, selectedFileURL));
        admin.entries.push_back(makeStatusItem(statusIssues(state, selectedFileURL)));
        admin.entries.push_back(withKey(actionEntry("Refresh", MenuAction::refreshNow), "r"));
        admin.entries.push_back(MenuEntry::separator());
        admin.entries.push_back(actionEntry("About Ledgerly", MenuAction::showAbout));
        admin.entries.push_back(withKey(actionEntry("Settings...", MenuAction::openSettings), ","));
        admin.entries.push_back(MenuEntry::separator());
        admin.entries.push_back(withKey(actionEntry("Quit Ledgerly", MenuAction::quitApp), "q"));

        MenuEntry entry = MenuEntry::item("Ledgerly");
        entry.submenu = std::make_shared<const Menu>(std::move(admin));
        return entry;
    }

    static MenuEntry withKey(MenuEntry entry, std::string keyEquivalent) {
        entry.keyEquivalent = std::move(keyEquivalent);
        return entry;
    }

    static bool offersStarterFile(const LedgerlyMenuState& state) {
        return !std::holds_alternative<LedgerlyMenuState::Document>(state.value) &&
               !std::holds_alternative<LedgerlyMenuState::Unavailable>(state.value);
    }

    MenuEntry makeRevealItem(const LedgerlyMenuState& state,
                             const std::optional<std::filesystem::path>& selectedFileURL) const {
        MenuEntry entry = actionEntry("Reveal Markdown File", MenuAction::revealMarkdownFile);
        entry.keyEquivalentModifierMask = MenuEntry::noModifierMask;
        entry.enabled = selectedFileURL.has_value() &&
                        !std::holds_alternative<LedgerlyMenuState::SelectedFileNotFound>(state.value);
        if (selectedFileURL) {
            entry.subtitle = truncatePath(abbreviatingWithTildeInPath(selectedFileURL->string(), homeFolder_),
                                          kRevealPathMaximumCharacters);
        }
        return entry;
    }

    MenuEntry makeStatusItem(const std::vector<StatusIssue>& issues) const {
        MenuEntry entry = MenuEntry::item(statusTitle(issues));
        if (issues.empty()) {
            entry.enabled = false;
            return entry;
        }
        Menu submenu;
        for (const StatusIssue& issue : issues) {
            submenu.entries.push_back(makeIssueItem(issue));
        }
        entry.submenu = std::make_shared<const Menu>(std::move(submenu));
        return entry;
    }

    MenuEntry makeIssueItem(const StatusIssue& issue) const {
        MenuEntry entry = actionEntry(issue.entryTitle(), MenuAction::copyWarningFromMenuItem);
        entry.representedObject = issue.report();
        if (const auto* warning = std::get_if<StatusIssue::Warning>(&issue.value)) {
            entry.subtitle = warning->warning.sourceExcerpt;
        } else {
            entry.subtitle = std::get<StatusIssue::Error>(issue.value).path;
        }
        return entry;
    }

    bool hasTarget_;
    MenuIcons icons_;
    const std::string& homeFolder_;
};

}  // namespace

MenuBuilder::MenuBuilder(std::weak_ptr<MenuActionHandling> actionHandler,
                         std::shared_ptr<const SymbolAvailability> symbols, std::string homeFolder)
    : actionHandler_(std::move(actionHandler)),
      symbols_(symbols ? std::move(symbols) : std::make_shared<const AllSymbolsAvailable>()),
      homeFolder_(std::move(homeFolder)) {}

Menu MenuBuilder::buildMenu(const LedgerlyMenuState& state,
                            const std::optional<std::filesystem::path>& selectedFileURL) const {
    const bool hasTarget = !actionHandler_.expired();
    return MenuTree(hasTarget, *symbols_, homeFolder_).build(state, selectedFileURL);
}

Menu MenuBuilder::buildMenu(const std::optional<LedgerlyDocument>& document,
                            const std::optional<std::filesystem::path>& selectedFileURL) const {
    if (document) {
        return buildMenu(LedgerlyMenuState{LedgerlyMenuState::Document{*document}}, selectedFileURL);
    }
    return buildMenu(LedgerlyMenuState{}, selectedFileURL);
}

std::string MenuBuilder::homeFolderFromEnvironment() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? std::string(home) : std::string();
}

}  // namespace ledgerly
