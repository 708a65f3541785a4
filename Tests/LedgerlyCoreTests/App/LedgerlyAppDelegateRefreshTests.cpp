#include "App/AppDelegateHarness.h"

#include "LedgerlyCore/Menu/MenuBuilder.h"
#include "LedgerlyCore/Parsing/MarkdownParser.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

namespace ledgerly::testing {
namespace {
using State = LedgerlyMenuState;

// The menu the delegate must have installed for `state`, built independently.
Menu expectedMenu(AppDelegateHarness& app, const State& state) {
    const MenuBuilder builder(app.delegate, nullptr, "/home/tester");
    return builder.buildMenu(state, app.delegate->selectedFileURL());
}

State documentOf(const std::string& text) { return State{State::Document{MarkdownParser().parse(text)}}; }

struct RefreshCase {
    std::string name;
    std::optional<std::string> fileName;  // none: nothing stored
    std::optional<std::string> text;      // none: the stored file does not exist
    State expectedState;
    std::string expectedTitle;
};

void PrintTo(const RefreshCase& refreshCase, std::ostream* out) { *out << refreshCase.name; }

class LedgerlyAppDelegateRefreshOutcomes : public ::testing::TestWithParam<RefreshCase> {};

TEST_P(LedgerlyAppDelegateRefreshOutcomes, StateTitleAndMenuFollowTheFile) {
    const RefreshCase& c = GetParam();
    AppDelegateHarness app;
    if (c.fileName && c.text) {
        app.select(*c.fileName, *c.text);
    } else if (c.fileName) {
        app.defaults.setString("selectedMarkdownPath", app.folder.file(*c.fileName).string());
    }

    app.launch();

    EXPECT_EQ(c.expectedState, app.delegate->menuState());
    EXPECT_EQ(c.expectedTitle, app.delegate->statusTitle());
    EXPECT_EQ(c.expectedTitle, app.statusItem.title());
    ASSERT_NE(nullptr, app.statusItem.installedMenu());
    EXPECT_EQ(expectedMenu(app, c.expectedState), *app.statusItem.installedMenu());
    EXPECT_EQ(*app.statusItem.installedMenu(), app.delegate->menu());
}

const std::string kLinks = "# Team Links\n- [Wiki](https://wiki.example.com)\n";

INSTANTIATE_TEST_SUITE_P(
    EveryOutcome, LedgerlyAppDelegateRefreshOutcomes,
    ::testing::Values(
        RefreshCase{"NoFileStored", std::nullopt, std::nullopt, State{State::NoFileSelected{}}, "Ledgerly"},
        RefreshCase{"DeletedFileShowsNotFoundWithFallbackTitle", "reading.list.md", std::nullopt,
                    State{State::SelectedFileNotFound{}}, "reading.list"},
        RefreshCase{"InvalidUTF8IsUnreadable", "Links.md", "# Caf\xE9\n",
                    State{State::SelectedFileUnreadable{FileReadFailureReason::invalidUTF8}}, "Links"},
        RefreshCase{"DocumentTitleIsTheStatusTitle", "Links.md", kLinks, documentOf(kLinks), "Team Links"},
        RefreshCase{"EmptyHeadingFallsBackToFileName", "Links.md", "#\n- [Wiki](https://wiki.example.com)\n",
                    documentOf("#\n- [Wiki](https://wiki.example.com)\n"), "Links"},
        RefreshCase{"NoHeadingFallsBackToFileName", "notes", "- [Wiki](https://wiki.example.com)\n",
                    documentOf("- [Wiki](https://wiki.example.com)\n"), "notes"},
        RefreshCase{"EmptyFileIsADocumentWithNoItems", "Empty.md", "", documentOf(""), "Empty"}),
    [](const ::testing::TestParamInfo<RefreshCase>& info) { return info.param.name; });

TEST(LedgerlyAppDelegateRefresh, UnreadableFileNamesItsReason) {
    AppDelegateHarness app;
    // A folder passes the existence test and fails the read.
    std::filesystem::create_directory(app.folder.file("Folder.md"));
    app.defaults.setString("selectedMarkdownPath", app.folder.file("Folder.md").string());
    app.launch();
    EXPECT_EQ((State{State::SelectedFileUnreadable{FileReadFailureReason::unknown}}), app.delegate->menuState());
    EXPECT_EQ("Folder", app.delegate->statusTitle());
}

TEST(LedgerlyAppDelegateRefresh, EmptyDocumentMenuSaysNoItems) {
    AppDelegateHarness app;
    app.select("Empty.md", "");
    app.launch();
    ASSERT_FALSE(app.delegate->menu().entries.empty());
    EXPECT_EQ("No menu items found", app.delegate->menu().entries.front().title);
}

TEST(LedgerlyAppDelegateRefresh, WithoutButtonNoTitleIsSetButTheMenuIs) {
    AppDelegateHarness app;
    app.statusItem.buttonPresent = false;
    app.select("Links.md", kLinks);
    app.launch();
    EXPECT_TRUE(app.statusItem.titles.empty());
    EXPECT_EQ("Team Links", app.delegate->statusTitle());
    EXPECT_EQ(1u, app.statusItem.menus.size());
}

TEST(LedgerlyAppDelegateRefresh, ConstructionReadsAndInstallsNothing) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    auto& delegate = app.make();
    EXPECT_TRUE(app.log.calls().empty());
    EXPECT_EQ(State{State::NoFileSelected{}}, delegate.menuState());
    EXPECT_EQ("", delegate.statusTitle());
    EXPECT_FALSE(delegate.hasHotKeyController());
    EXPECT_EQ(FileWatcher::State::idle, delegate.fileWatcher().state());
}

TEST(LedgerlyAppDelegateRefresh, RefreshReadsTheFileAgain) {
    AppDelegateHarness app;
    const auto file = app.select("Links.md", kLinks);
    app.launch();
    app.folder.writeFile("Links.md", "# Renamed\n");
    app.delegate->refresh();
    EXPECT_EQ("Renamed", app.delegate->statusTitle());
    EXPECT_EQ(documentOf("# Renamed\n"), app.delegate->menuState());
    EXPECT_EQ(2u, app.statusItem.menus.size());
}

TEST(LedgerlyAppDelegateRefresh, MenuEntriesTargetTheDelegate) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    app.launch();
    ASSERT_FALSE(app.delegate->menu().entries.empty());
    EXPECT_TRUE(app.delegate->menu().entries.front().hasTarget);
}

}  // namespace
}  // namespace ledgerly::testing
