#include "LedgerlyCore/Menu/MenuBuilder.h"

#include "MenuTestSupport.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <cstdlib>
#include <memory>

namespace ledgerly::testing {
namespace {
using State = LedgerlyMenuState;

constexpr auto kNoMask = MenuEntry::noModifierMask;
constexpr auto kOption = MenuEntry::optionModifierMask;
const std::filesystem::path kLinks = "/home/ann/Notes/Links.md";

class MenuBuilderTest : public ::testing::Test {
protected:
    Menu build(const State& state, const std::optional<std::filesystem::path>& url = std::nullopt) const {
        return MenuBuilder(handler_, nullptr, "/home/ann").buildMenu(state, url);
    }

    Menu buildItems(std::vector<MenuNode> items) const {
        return build(State{State::Document{LedgerlyDocument{std::nullopt, std::move(items), {}}}}, kLinks);
    }

    // The document's own entries: everything before the final separator and "Ledgerly".
    std::vector<MenuEntry> content(const Menu& menu) const { return {menu.entries.begin(), menu.entries.end() - 2}; }

    std::shared_ptr<InertMenuActionHandler> handler_ = std::make_shared<InertMenuActionHandler>();
};

const Menu& adminMenu(const Menu& menu) { return *menu.entries.back().submenu; }

std::vector<std::string> titles(const Menu& menu) {
    std::vector<std::string> result;
    for (const auto& entry : menu.entries) {
        result.push_back(entry.kind == MenuEntryKind::separator ? "---" : entry.title);
    }
    return result;
}

MenuEntry withMask(MenuEntry entry, std::uint64_t mask) {
    entry.keyEquivalentModifierMask = mask;
    return entry;
}

TEST_F(MenuBuilderTest, NoFileSelectedWithoutURLIsTheWholeRecoveryMenu) {
    MenuEntry reveal = withMask(actionEntry("Reveal Markdown File", MenuAction::revealMarkdownFile), kNoMask);
    reveal.enabled = false;
    const Menu admin{250,
                     {
                         actionEntry("Open Markdown File...", MenuAction::chooseMarkdownFile, "o"),
                         actionEntry("Save Starter File...", MenuAction::saveStarterFile),
                         reveal,
                         disabledEntry("Status: OK"),
                         actionEntry("Refresh", MenuAction::refreshNow, "r"),
                         MenuEntry::separator(),
                         actionEntry("About Ledgerly", MenuAction::showAbout),
                         actionEntry("Settings...", MenuAction::openSettings, ","),
                         MenuEntry::separator(),
                         actionEntry("Quit Ledgerly", MenuAction::quitApp, "q"),
                     }};
    const Menu expected{250,
                        {
                            disabledEntry("No file selected"),
                            actionEntry("Open Markdown File...", MenuAction::chooseMarkdownFile),
                            actionEntry("Save Starter File...", MenuAction::saveStarterFile),
                            MenuEntry::separator(),
                            submenuEntry("Ledgerly", admin),
                        }};
    EXPECT_EQ(expected, build(State{}));
    EXPECT_EQ(expected, MenuBuilder(handler_, nullptr, "/home/ann").buildMenu(std::optional<LedgerlyDocument>{}, {}));
}

TEST_F(MenuBuilderTest, ContentOfEachStateWithoutADocumentToShow) {
    struct Case {
        State state;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {State{State::SelectedFileNotFound{}},
         {"Selected file not found", "Open Markdown File...", "Save Starter File...", "---", "Ledgerly"}},
        {State{State::SelectedFileUnreadable{FileReadFailureReason::invalidUTF8}},
         {"Can't read selected file", "Open Markdown File...", "Save Starter File...", "---", "Ledgerly"}},
        {State{State::Unavailable{"Could not read selected file",
                                  {ParserWarning::make(0, ParserWarningCode::unreadableFile, std::nullopt)}}},
         {"Could not read selected file", "---", "Ledgerly"}},
        {State{State::Document{LedgerlyDocument{}}}, {"No menu items found", "---", "Ledgerly"}},
    };
    for (const auto& c : cases) {
        const Menu menu = build(c.state, kLinks);
        EXPECT_EQ(c.expected, titles(menu));
        EXPECT_FALSE(menu.entries.front().enabled);
        EXPECT_EQ(std::nullopt, menu.entries.front().action);
    }
}

TEST_F(MenuBuilderTest, AdminSubmenuOffersTheStarterFileOnlyWithoutADocument) {
    const std::vector<std::string> withStarter = {"Open Markdown File...",
                                                  "Save Starter File...",
                                                  "Reveal Markdown File",
                                                  "Status: 1 error",
                                                  "Refresh",
                                                  "---",
                                                  "About Ledgerly",
                                                  "Settings...",
                                                  "---",
                                                  "Quit Ledgerly"};
    std::vector<std::string> withoutStarter = withStarter;
    withoutStarter.erase(withoutStarter.begin() + 1);
    withoutStarter[2] = "Status: OK";

    EXPECT_EQ(withStarter, titles(adminMenu(build(State{State::SelectedFileNotFound{}}, kLinks))));
    EXPECT_EQ(withStarter,
              titles(adminMenu(build(State{State::SelectedFileUnreadable{FileReadFailureReason::unknown}}, kLinks))));
    EXPECT_EQ(withoutStarter, titles(adminMenu(build(State{State::Document{}}, kLinks))));
    withoutStarter[2] = "Status: 1 warning";
    EXPECT_EQ(
        withoutStarter,
        titles(adminMenu(build(
            State{State::Unavailable{"m", {ParserWarning{0, ParserWarningCode::unsupportedLine, "m", std::nullopt}}}},
            kLinks))));
}

TEST_F(MenuBuilderTest, RevealEntryIsEnabledOnlyForAnExistingSelection) {
    struct Case {
        State state;
        std::optional<std::filesystem::path> url;
        bool enabled;
        std::optional<std::string> subtitle;
    };
    const Case cases[] = {
        {State{State::Document{}}, kLinks, true, "~/Notes/Links.md"},
        {State{State::SelectedFileNotFound{}}, kLinks, false, "~/Notes/Links.md"},
        {State{State::SelectedFileUnreadable{}}, kLinks, true, "~/Notes/Links.md"},
        {State{State::Document{}}, std::nullopt, false, std::nullopt},
        {State{State::NoFileSelected{}}, std::nullopt, false, std::nullopt},
        {State{State::Document{}}, "/srv/ann/Links.md", true, "/srv/ann/Links.md"},
    };
    for (const auto& c : cases) {
        const auto admin = adminMenu(build(c.state, c.url));
        const auto& reveal = c.state == State{State::Document{}} || c.state == State{State::Unavailable{}}
                                 ? admin.entries[1]
                                 : admin.entries[2];
        ASSERT_EQ("Reveal Markdown File", reveal.title);
        EXPECT_EQ(c.enabled, reveal.enabled);
        EXPECT_EQ(c.subtitle, reveal.subtitle);
        EXPECT_EQ(kNoMask, reveal.keyEquivalentModifierMask);
    }
}

TEST_F(MenuBuilderTest, RevealSubtitleIsAbbreviatedAndShortenedToFortyFour) {
    const std::filesystem::path deep = "/home/ann/" + letters(40) + "/bookmarks.md";
    const auto admin = adminMenu(build(State{State::Document{}}, deep));
    const std::string abbreviated = "~/" + letters(40) + "/bookmarks.md";
    EXPECT_EQ(abbreviated.substr(0, 28) + ".../bookmarks.md", admin.entries[1].subtitle);
}

TEST_F(MenuBuilderTest, StatusEntryListsTheIssuesAndCopiesTheirReports) {
    const LedgerlyDocument document{std::nullopt,
                                    {},
                                    {ParserWarning::make(4, ParserWarningCode::unsupportedLine, "hello"),
                                     ParserWarning{7, ParserWarningCode::unsupportedLine, "Other", std::nullopt}}};
    MenuEntry first = actionEntry("Line 4: Skipped unsupported line", MenuAction::copyWarningFromMenuItem);
    first.representedObject = "Ledgerly warning\nLine 4: Skipped unsupported line\nSource: hello";
    first.subtitle = "hello";
    MenuEntry second = actionEntry("Line 7: Other", MenuAction::copyWarningFromMenuItem);
    second.representedObject = "Ledgerly warning\nLine 7: Other";
    const MenuEntry expected = submenuEntry("Status: 2 warnings", Menu{250, {first, second}});

    EXPECT_EQ(expected, adminMenu(build(State{State::Document{document}}, kLinks)).entries[2]);
}

TEST_F(MenuBuilderTest, StatusEntryForAMissingFileCarriesTheFullPath) {
    MenuEntry issue = actionEntry("Selected file not found", MenuAction::copyWarningFromMenuItem);
    issue.subtitle = kLinks.string();
    issue.representedObject =
        "Ledgerly error\nSelected file not found\n"
        "The Markdown file may have been moved, renamed, or deleted.\n" +
        kLinks.string();
    EXPECT_EQ(submenuEntry("Status: 1 error", Menu{250, {issue}}),
              adminMenu(build(State{State::SelectedFileNotFound{}}, kLinks)).entries[3]);
}

TEST_F(MenuBuilderTest, LinkGivesAPrimaryAndAnOptionAlternate) {
    MenuEntry primary = withMask(actionEntry("Docs", MenuAction::openURLFromMenuItem), kNoMask);
    primary.representedObject = "https://docs.example.com";
    primary.image = symbolIcon("globe", "Open web link", "LedgerlyWebLinkIcon");
    MenuEntry alternate = withMask(actionEntry("https://docs.example.com", MenuAction::copyTextFromMenuItem), kOption);
    alternate.representedObject = "https://docs.example.com";
    alternate.image = blankIcon("LedgerlyCopySnippetIcon");
    alternate.isAlternate = true;

    EXPECT_EQ((std::vector{primary, alternate}), content(buildItems({linkNode("Docs", "https://docs.example.com")})));
}

TEST_F(MenuBuilderTest, SimpleMailLinkCopiesTheBareAddress) {
    const auto entries =
        content(buildItems({linkNode("ann@example.com", "mailto:ann@example.com", LinkActionFamily::mailCompose)}));
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("mailto:ann@example.com", entries[0].representedObject);
    EXPECT_EQ("ann@example.com", entries[1].title);
    EXPECT_EQ("ann@example.com", entries[1].representedObject);
}

TEST_F(MenuBuilderTest, LongTitlesAreShortenedButRepresentedObjectsAreNot) {
    const std::string url = "https://example.com/" + letters(80);
    const auto entries = content(buildItems({linkNode(letters(60), url)}));
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(letters(60).substr(0, 27) + "..." + letters(60).substr(34), entries[0].title);
    EXPECT_EQ(url, entries[0].representedObject);
    EXPECT_EQ(url.substr(0, 27) + "..." + url.substr(url.size() - 26), entries[1].title);
    EXPECT_EQ(url, entries[1].representedObject);
}

TEST_F(MenuBuilderTest, ShortLevelGivesAlternatesThirtyTwoCharacters) {
    const std::string url = "https://" + letters(42);  // 50 characters
    const auto entries = content(buildItems({linkNode(letters(10), url)}));
    EXPECT_EQ(url.substr(0, 15) + "..." + url.substr(36), entries[1].title);
}

TEST_F(MenuBuilderTest, EmphasisSetsTheFontOfThePrimaryEntryOnly) {
    const auto entries = content(buildItems({
        linkNode("a", "https://a", LinkActionFamily::web, LinkEmphasis::none),
        linkNode("b", "https://b", LinkActionFamily::web, LinkEmphasis::soft),
        linkNode("c", "https://c", LinkActionFamily::web, LinkEmphasis::priority),
    }));
    ASSERT_EQ(6u, entries.size());
    EXPECT_EQ(MenuFont::none, entries[0].font);
    EXPECT_EQ(MenuFont::italic, entries[2].font);
    EXPECT_EQ(MenuFont::bold, entries[4].font);
    EXPECT_EQ(MenuFont::none, entries[3].font);
    EXPECT_EQ(MenuFont::none, entries[5].font);
}

TEST_F(MenuBuilderTest, InlineSnippetIsOneEntryLabeledSnippetTwo) {
    MenuEntry inlineEntry = actionEntry("git status", MenuAction::copyTextFromMenuItem);
    inlineEntry.representedObject = "git status";
    inlineEntry.image = blankIcon("LedgerlyCopySnippetIcon");
    MenuEntry labeled = actionEntry("SSH key", MenuAction::copyTextFromMenuItem);
    labeled.representedObject = "line one\nline two";
    labeled.image = symbolIcon("text.quote", "Copy labeled snippet", "LedgerlyLabeledSnippetIcon");
    MenuEntry body = withMask(actionEntry("line one\nline two", MenuAction::copyTextFromMenuItem), kOption);
    body.representedObject = "line one\nline two";
    body.image = blankIcon("LedgerlyCopySnippetIcon");
    body.isAlternate = true;

    EXPECT_EQ(
        (std::vector{inlineEntry, labeled, body}),
        content(buildItems({inlineSnippetNode("git status"), labeledSnippetNode("SSH key", "line one\nline two")})));
}

TEST_F(MenuBuilderTest, EmailSnippetIsShownLikeAnyInlineSnippet) {
    const auto email = content(buildItems({MenuNode{BookmarkSnippet::makeInline("a@b.c", SnippetKind::email)}}));
    const auto text = content(buildItems({MenuNode{BookmarkSnippet::makeInline("a@b.c", SnippetKind::text)}}));
    EXPECT_EQ(text, email);
}

TEST_F(MenuBuilderTest, SubmenusNestWithTheirOwnLimitAndShowNoItemsWhenEmpty) {
    const auto entries = content(buildItems({
        submenuNode("Work", {linkNode(letters(80), "https://x"), submenuNode("Empty", {})}),
        submenuNode("Only a divider", {dividerNode()}),
    }));
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ(symbolIcon("folder", "Bookmark folder", std::nullopt), entries[0].image);
    EXPECT_EQ(std::nullopt, entries[0].action);
    const Menu& work = *entries[0].submenu;
    EXPECT_EQ(letters(80).substr(0, 34) + "..." + letters(80).substr(47), work.entries[0].title);
    EXPECT_EQ(MenuEntry(submenuEntry("Empty", Menu{250, {disabledEntry("No Items")}})).submenu->entries,
              work.entries[2].submenu->entries);
    EXPECT_EQ((Menu{250, {MenuEntry::separator()}}), *entries[1].submenu);
}

TEST_F(MenuBuilderTest, DividersAndSectionLabelsPlaceSeparators) {
    struct Case {
        std::vector<MenuNode> nodes;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {{dividerNode(), dividerNode()}, {"---", "---"}},
        {{sectionLabelNode("Top")}, {"Top"}},
        {{dividerNode(), sectionLabelNode("After")}, {"---", "After"}},
        {{inlineSnippetNode("s"), sectionLabelNode("After")}, {"s", "---", "After"}},
        {{linkNode("l", "https://l"), sectionLabelNode("After")}, {"l", "https://l", "---", "After"}},
        {{sectionLabelNode("A"), sectionLabelNode("B")}, {"A", "---", "B"}},
    };
    for (const auto& c : cases) {
        Menu level;
        level.entries = content(buildItems(c.nodes));
        EXPECT_EQ(c.expected, titles(level));
    }
}

TEST_F(MenuBuilderTest, SectionLabelIsAShortenedHeader) {
    const auto entries = content(buildItems({sectionLabelNode(letters(60))}));
    EXPECT_EQ((std::vector{MenuEntry::sectionHeader(letters(60).substr(0, 27) + "..." + letters(60).substr(34))}),
              entries);
}

TEST_F(MenuBuilderTest, GoneHandlerLeavesEveryEntryWithoutATarget) {
    const MenuBuilder builder(handler_, nullptr, "/home/ann");
    const State state{
        State::Document{LedgerlyDocument{std::nullopt,
                                         {linkNode("a", "https://a"), submenuNode("s", {inlineSnippetNode("x")})},
                                         {ParserWarning{1, ParserWarningCode::unsupportedLine, "m", std::nullopt}}}}};
    handler_.reset();
    const Menu menu = builder.buildMenu(state, kLinks);

    std::vector<const Menu*> pending{&menu};
    std::size_t actions = 0;
    while (!pending.empty()) {
        const Menu* current = pending.back();
        pending.pop_back();
        for (const auto& entry : current->entries) {
            EXPECT_FALSE(entry.hasTarget) << entry.title;
            actions += entry.action.has_value() ? 1 : 0;
            if (entry.submenu) {
                pending.push_back(entry.submenu.get());
            }
        }
    }
    EXPECT_EQ(10u, actions);  // 2 link, 1 snippet, 1 issue, 6 administration
}

TEST_F(MenuBuilderTest, MissingSymbolsReachTheBuiltEntries) {
    const auto symbols =
        std::make_shared<SymbolsWithout>(std::set<std::string, std::less<>>{"globe", "text.quote", "text.bubble"});
    const MenuBuilder builder(handler_, symbols, "/home/ann");
    const Menu menu =
        builder.buildMenu(State{State::Document{LedgerlyDocument{
                              std::nullopt, {linkNode("a", "https://a"), labeledSnippetNode("l", "b")}, {}}}},
                          kLinks);
    EXPECT_EQ(std::nullopt, menu.entries[0].image);
    EXPECT_EQ(blankIcon("LedgerlyLabeledSnippetIcon"), menu.entries[2].image);
}

TEST_F(MenuBuilderTest, LocalLinksGetTheFolderOrFileIcon) {
    TempDirectory scratch;
    const auto folder = scratch.makeFolder("Projects");
    const auto file = scratch.writeFile("plan.txt");
    const auto entries = content(buildItems({
        linkNode("folder", "file://" + folder.string(), LinkActionFamily::localAction),
        linkNode("file", "file://" + file.string(), LinkActionFamily::localAction),
    }));
    EXPECT_EQ("LedgerlyLocalRevealIcon", entries[0].image->imageName);
    EXPECT_EQ("LedgerlyLocalOpenIcon", entries[2].image->imageName);
}

TEST(MenuBuilderHomeFolder, ComesFromTheHomeVariable) {
    const char* saved = std::getenv("HOME");
    const std::string previous = saved != nullptr ? saved : "";
    ::setenv("HOME", "/home/zoe", 1);
    EXPECT_EQ("/home/zoe", MenuBuilder::homeFolderFromEnvironment());
    ::unsetenv("HOME");
    EXPECT_EQ("", MenuBuilder::homeFolderFromEnvironment());
    if (saved != nullptr) {
        ::setenv("HOME", previous.c_str(), 1);
    }
}

}  // namespace
}  // namespace ledgerly::testing
