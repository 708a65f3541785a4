#include "LedgerlyCore/Menu/AllSymbolsAvailable.h"
#include "LedgerlyCore/Menu/LocalFileURL.h"
#include "LedgerlyCore/Menu/MenuIcons.h"

#include "MenuTestSupport.h"
#include "Support/TempDirectory.h"

#include <gtest/gtest.h>

#include <string>

namespace ledgerly::testing {
namespace {

BookmarkLink link(LinkActionFamily family, std::string urlString) {
    return BookmarkLink{"title", std::move(urlString), LinkEmphasis::none, LinkSource::named, family};
}

std::string fileURL(const std::filesystem::path& path) { return "file://" + path.string(); }

TEST(IsDirectoryFileURL, AsksTheFileSystemForFileURLsWithoutTrailingSlash) {
    TempDirectory scratch;
    const auto folder = scratch.makeFolder("Projects");
    const auto file = scratch.writeFile("notes.txt");
    const auto spaced = scratch.makeFolder("My Folder");
    const auto accented = scratch.makeFolder("Données");
    EXPECT_TRUE(isDirectoryFileURL(fileURL(folder)));
    EXPECT_FALSE(isDirectoryFileURL(fileURL(file)));
    EXPECT_FALSE(isDirectoryFileURL(fileURL(scratch.path() / "missing")));
    EXPECT_TRUE(isDirectoryFileURL(fileURL(scratch.path() / "My%20Folder")));
    EXPECT_TRUE(isDirectoryFileURL(fileURL(accented)));
    EXPECT_TRUE(isDirectoryFileURL("FILE://" + folder.string()));
    EXPECT_TRUE(isDirectoryFileURL("File://" + folder.string()));
}

TEST(IsDirectoryFileURL, TrailingSlashIsAFolderWithoutLooking) {
    EXPECT_TRUE(isDirectoryFileURL("file:///surely/not/there/"));
    EXPECT_TRUE(isDirectoryFileURL("file:///srv/partage/Données/"));
    EXPECT_TRUE(isDirectoryFileURL("file:///"));
}

TEST(IsDirectoryFileURL, OtherSchemesUnparsableTextAndBadEscapesAreNoFolder) {
    TempDirectory scratch;
    const auto folder = scratch.makeFolder("real");
    const std::string cases[] = {
        "https://example.com/",
        "https://example.com",
        "mailto:a@example.com",
        "not a url",
        "file://" + folder.string() + "%",
        "file://" + folder.string() + "%zz",
        "file://" + folder.string() + "%00",
        "file://" + folder.string() + "%ff",
        "/plain/path/",
        "",
    };
    for (const auto& urlString : cases) {
        EXPECT_FALSE(isDirectoryFileURL(urlString)) << urlString;
    }
}

TEST(IsDirectoryFileURL, NulInsideThePathDoesNotReachAnEarlierFolder) {
    TempDirectory scratch;
    const auto folder = scratch.makeFolder("real");
    // Without the NUL check the system would see only the folder's path.
    EXPECT_FALSE(isDirectoryFileURL("file://" + folder.string() + "%00/../x"));
    EXPECT_FALSE(isDirectoryFileURL("file://" + folder.string() + "%00x"));
}

TEST(MenuIconsLinks, EachFamilyHasItsSymbolDescriptionAndName) {
    TempDirectory scratch;
    const auto folder = scratch.makeFolder("dir");
    const auto file = scratch.writeFile("doc.pdf");
    const AllSymbolsAvailable symbols;
    const MenuIcons icons(symbols);
    struct Case {
        BookmarkLink link;
        MenuIcon expected;
    };
    const Case cases[] = {
        {link(LinkActionFamily::web, "https://a.example"), symbolIcon("globe", "Open web link", "LedgerlyWebLinkIcon")},
        {link(LinkActionFamily::mailCompose, "mailto:a@b.c"),
         symbolIcon("envelope", "Compose email", "LedgerlyMailComposeIcon")},
        {link(LinkActionFamily::externalURLScheme, "slack://open"),
         symbolIcon("arrow.up.forward.app", "Open URL scheme", "LedgerlyExternalURLSchemeIcon")},
        {link(LinkActionFamily::localAction, fileURL(folder)),
         symbolIcon("arrow.forward.folder", "Reveal local item", "LedgerlyLocalRevealIcon")},
        {link(LinkActionFamily::localAction, fileURL(file)),
         symbolIcon("document", "Open local item", "LedgerlyLocalOpenIcon")},
        {link(LinkActionFamily::localAction, "file:///missing/thing"),
         symbolIcon("document", "Open local item", "LedgerlyLocalOpenIcon")},
        {link(LinkActionFamily::localAction, "file:///missing/folder/"),
         symbolIcon("arrow.forward.folder", "Reveal local item", "LedgerlyLocalRevealIcon")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, icons.makeIcon(c.link)) << c.link.urlString;
    }
}

TEST(MenuIconsLinks, EveryIconIsAThirteenPointTemplate) {
    const AllSymbolsAvailable symbols;
    const auto icon = MenuIcons(symbols).makeIcon(link(LinkActionFamily::web, "https://a"));
    ASSERT_TRUE(icon.has_value());
    EXPECT_TRUE(icon->isTemplate);
    EXPECT_EQ(13.0, icon->width);
    EXPECT_EQ(13.0, icon->height);
}

TEST(MenuIconsFallbacks, MissingLinkSymbolsLeaveNoImageExceptTheFolderFallback) {
    const SymbolsWithout symbols({"globe", "envelope", "arrow.up.forward.app", "document", "arrow.forward.folder"});
    const MenuIcons icons(symbols);
    EXPECT_EQ(std::nullopt, icons.makeIcon(link(LinkActionFamily::web, "https://a")));
    EXPECT_EQ(std::nullopt, icons.makeIcon(link(LinkActionFamily::mailCompose, "mailto:a@b.c")));
    EXPECT_EQ(std::nullopt, icons.makeIcon(link(LinkActionFamily::externalURLScheme, "x-y:z")));
    EXPECT_EQ(std::nullopt, icons.makeIcon(link(LinkActionFamily::localAction, "file:///no/such")));
    EXPECT_EQ(symbolIcon("folder", "Reveal local item", "LedgerlyLocalRevealIcon"),
              icons.makeIcon(link(LinkActionFamily::localAction, "file:///no/such/")));
}

TEST(MenuIconsFallbacks, RevealIconIsNoneWhenBothFolderSymbolsAreMissing) {
    const SymbolsWithout symbols({"arrow.forward.folder", "folder"});
    EXPECT_EQ(std::nullopt, MenuIcons(symbols).makeLocalRevealIcon());
    EXPECT_EQ(std::nullopt, MenuIcons(symbols).makeBookmarkSubmenuIcon());
}

TEST(MenuIconsFallbacks, LabeledSnippetIconFallsBackTwiceAndIsNeverNone) {
    const MenuIcon first = symbolIcon("text.quote", "Copy labeled snippet", "LedgerlyLabeledSnippetIcon");
    const MenuIcon second = symbolIcon("text.bubble", "Copy labeled snippet", "LedgerlyLabeledSnippetIcon");
    EXPECT_EQ(first, MenuIcons(AllSymbolsAvailable()).makeLabeledSnippetIcon());
    EXPECT_EQ(second, MenuIcons(SymbolsWithout({"text.quote"})).makeLabeledSnippetIcon());
    EXPECT_EQ(blankIcon("LedgerlyLabeledSnippetIcon"),
              MenuIcons(SymbolsWithout({"text.quote", "text.bubble"})).makeLabeledSnippetIcon());
}

TEST(MenuIconsOthers, SubmenuIconHasNoNameAndCopyIconIsBlank) {
    const AllSymbolsAvailable symbols;
    EXPECT_EQ(symbolIcon("folder", "Bookmark folder", std::nullopt), MenuIcons(symbols).makeBookmarkSubmenuIcon());
    const MenuIcon copy = MenuIcons::makeCopyIcon();
    EXPECT_EQ(blankIcon("LedgerlyCopySnippetIcon"), copy);
    EXPECT_TRUE(copy.isTemplate);
    EXPECT_EQ(13.0, copy.width);
}

}  // namespace
}  // namespace ledgerly::testing
