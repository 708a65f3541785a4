#include "App/AppDelegateHarness.h"

#include "LedgerlyCore/Menu/Menu.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

constexpr std::uint64_t kShift = 0x20000;
constexpr std::uint64_t kControl = 0x40000;
constexpr std::uint64_t kOption = 0x80000;
constexpr std::uint64_t kCommand = 0x100000;

const std::string kLinks = "# Team Links\n- [Wiki](https://wiki.example.com)\n";
const std::string kURL = "https://wiki.example.com/page?q=a%20b";

struct ModifierCase {
    std::string name;
    std::optional<std::uint64_t> modifiers;  // none: no current event
    bool copies;
};

void PrintTo(const ModifierCase& modifierCase, std::ostream* out) { *out << modifierCase.name; }

class LedgerlyAppDelegateOpenURL : public ::testing::TestWithParam<ModifierCase> {};

TEST_P(LedgerlyAppDelegateOpenURL, OptionCopiesAnythingElseOpens) {
    const ModifierCase& c = GetParam();
    AppDelegateHarness app;
    app.launch();
    app.application.modifierFlags = c.modifiers;

    app.delegate->openURLFromMenuItem(entryCarrying(kURL));

    if (c.copies) {
        EXPECT_EQ(kURL, app.pasteboard.string);
        EXPECT_TRUE(app.workspace.openedURLs.empty());
    } else {
        EXPECT_EQ(std::vector<std::string>{kURL}, app.workspace.openedURLs);
        EXPECT_TRUE(app.pasteboard.writes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Modifiers, LedgerlyAppDelegateOpenURL,
    ::testing::Values(ModifierCase{"NoCurrentEvent", std::nullopt, false}, ModifierCase{"NoModifier", 0, false},
                      ModifierCase{"ShiftAlone", kShift, false}, ModifierCase{"CommandAlone", kCommand, false},
                      ModifierCase{"ControlAlone", kControl, false},
                      ModifierCase{"ShiftCommand", kShift | kCommand, false}, ModifierCase{"Option", kOption, true},
                      ModifierCase{"OptionWithOthers", kOption | kShift | kControl | kCommand, true},
                      ModifierCase{"OptionAmongUnrelatedBits", kOption | 0x100, true}),
    [](const ::testing::TestParamInfo<ModifierCase>& info) { return info.param.name; });

TEST(LedgerlyAppDelegateActions, TextThatIsNoURLOpensNothing) {
    AppDelegateHarness app;
    app.launch();
    app.delegate->openURLFromMenuItem(entryCarrying("not a url"));
    EXPECT_TRUE(app.workspace.openedURLs.empty());
    EXPECT_TRUE(app.pasteboard.writes.empty());
}

using Action = std::function<void(LedgerlyAppDelegate&, const MenuEntry&)>;

TEST(LedgerlyAppDelegateActions, MissingRepresentedObjectDoesNothing) {
    const std::vector<std::pair<std::string, Action>> actions = {
        {"openURL", [](auto& d, const auto& e) { d.openURLFromMenuItem(e); }},
        {"copyText", [](auto& d, const auto& e) { d.copyTextFromMenuItem(e); }},
        {"copyWarning", [](auto& d, const auto& e) { d.copyWarningFromMenuItem(e); }},
    };
    for (const auto& [name, action] : actions) {
        for (const auto modifiers : {std::optional<std::uint64_t>{}, std::optional<std::uint64_t>{kOption}}) {
            AppDelegateHarness app;
            app.launch();
            app.log.clear();
            app.application.modifierFlags = modifiers;
            action(*app.delegate, entryCarrying(std::nullopt));
            EXPECT_TRUE(app.log.calls().empty()) << name;
        }
    }
}

TEST(LedgerlyAppDelegateActions, CopyTextAndCopyWarningPutTheSameString) {
    const std::string report = "Line 3: Skipped unsupported line\n  > junk \xF0\x9F\x93\x8E";
    AppDelegateHarness app;
    app.launch();
    app.delegate->copyTextFromMenuItem(entryCarrying(report));
    const auto afterCopyText = app.pasteboard.string;
    app.pasteboard.string.reset();
    app.delegate->copyWarningFromMenuItem(entryCarrying(report));
    EXPECT_EQ(report, afterCopyText);
    EXPECT_EQ(report, app.pasteboard.string);
}

TEST(LedgerlyAppDelegateActions, CopyReplacesContentOfEveryType) {
    AppDelegateHarness app;
    app.launch();
    app.pasteboard.string = "older text";
    app.pasteboard.otherContent = "an image";
    app.delegate->copyTextFromMenuItem(entryCarrying("  spaced text\n"));
    EXPECT_EQ("  spaced text\n", app.pasteboard.string);
    EXPECT_FALSE(app.pasteboard.otherContent.has_value());
}

TEST(LedgerlyAppDelegateActions, ChosenLinkEntryOfTheBuiltMenuOpensItsURL) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    app.launch();
    const auto& entries = app.delegate->menu().entries;
    const auto link = std::find_if(entries.begin(), entries.end(), [](const MenuEntry& entry) {
        return entry.action == MenuAction::openURLFromMenuItem;
    });
    ASSERT_NE(entries.end(), link);
    perform(*link->action, *link, *app.delegate);
    EXPECT_EQ(std::vector<std::string>{"https://wiki.example.com"}, app.workspace.openedURLs);
}

OpenPanelOptions expectedOpenPanel() {
    OpenPanelOptions options;
    options.allowedContentTypes = {ContentType{ContentType::PlainText{}},
                                   ContentType{ContentType::FilenameExtension{"md"}},
                                   ContentType{ContentType::FilenameExtension{"markdown"}}};
    options.allowsMultipleSelection = false;
    options.canChooseDirectories = false;
    options.canChooseFiles = true;
    options.prompt = "Choose";
    return options;
}

TEST(LedgerlyAppDelegateChooseFile, OKStoresRefreshesAndWatchesTheChosenFile) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    app.launch();
    const auto chosen = app.folder.writeFile("Other.md", "# Other Links\n");
    app.panels.nextOpenAnswer = chosen;
    app.log.clear();

    app.delegate->chooseMarkdownFile(MenuEntry::item("Open Markdown File..."));

    ASSERT_EQ(1u, app.panels.openPanelsShown.size());
    EXPECT_EQ(expectedOpenPanel(), app.panels.openPanelsShown.front());
    EXPECT_EQ(chosen.string(), app.storedPath());
    EXPECT_EQ("Other Links", app.delegate->statusTitle());
    EXPECT_EQ((std::vector<std::string>{"application.bringToFront", "panels.runOpenPanel",
                                        "statusItem.setTitle Other Links", "statusItem.setMenu"}),
              app.log.calls());
    EXPECT_EQ(FileWatcher::State::watchingFile, app.delegate->fileWatcher().state());
    EXPECT_TRUE(app.fakeQueue.isWatching(app.delegate->fileWatcher().fileDescriptor()));
}

TEST(LedgerlyAppDelegateChooseFile, CancelChangesNothing) {
    AppDelegateHarness app;
    const auto file = app.select("Links.md", kLinks);
    app.launch();
    const int watchedDescriptor = app.delegate->fileWatcher().fileDescriptor();
    const auto menuBefore = app.delegate->menu();
    app.panels.nextOpenAnswer.reset();
    app.log.clear();

    app.delegate->chooseMarkdownFile(MenuEntry::item("Open Markdown File..."));

    EXPECT_EQ(file.string(), app.storedPath());
    EXPECT_EQ("Team Links", app.delegate->statusTitle());
    EXPECT_EQ(menuBefore, app.delegate->menu());
    EXPECT_EQ((std::vector<std::string>{"application.bringToFront", "panels.runOpenPanel"}), app.log.calls());
    EXPECT_EQ(watchedDescriptor, app.delegate->fileWatcher().fileDescriptor());
}

TEST(LedgerlyAppDelegateChooseFile, SameFileAgainStoresAndRefreshesAgain) {
    AppDelegateHarness app;
    const auto file = app.select("Links.md", kLinks);
    app.launch();
    app.folder.writeFile("Links.md", "# Edited\n");
    app.panels.nextOpenAnswer = file;
    const auto menusBefore = app.statusItem.menus.size();

    app.delegate->chooseMarkdownFile(MenuEntry::item("Open Markdown File..."));

    EXPECT_EQ(file.string(), app.storedPath());
    EXPECT_EQ("Edited", app.delegate->statusTitle());
    EXPECT_EQ(menusBefore + 1, app.statusItem.menus.size());
}

TEST(LedgerlyAppDelegateActions, RefreshNowRereadsAndRearmsOnTheStoredPath) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    app.launch();
    // Another instance over the same defaults selected a different file.
    app.select("Second.md", "# Second\n");

    app.delegate->refreshNow(MenuEntry::item("Refresh"));

    EXPECT_EQ("Second", app.delegate->statusTitle());
    EXPECT_EQ(FileWatcher::State::watchingFile, app.delegate->fileWatcher().state());
    EXPECT_EQ(1u, app.fakeQueue.watchCount());
}

TEST(LedgerlyAppDelegateActions, RefreshNowWithNothingSelectedStopsWatching) {
    AppDelegateHarness app;
    app.select("Links.md", kLinks);
    app.launch();
    app.defaults.remove("selectedMarkdownPath");

    app.delegate->refreshNow(MenuEntry::item("Refresh"));

    EXPECT_EQ("Ledgerly", app.delegate->statusTitle());
    EXPECT_EQ(FileWatcher::State::idle, app.delegate->fileWatcher().state());
    EXPECT_EQ(0u, app.fakeQueue.watchCount());
}

TEST(LedgerlyAppDelegateActions, RevealShowsTheStoredPathEvenWhenMissing) {
    AppDelegateHarness app;
    const auto missing = app.folder.file("Gone.md");
    app.defaults.setString("selectedMarkdownPath", missing.string());
    app.launch();
    app.delegate->revealMarkdownFile(MenuEntry::item("Reveal Markdown File"));
    EXPECT_EQ(std::vector<std::filesystem::path>{missing}, app.workspace.revealedFiles);
}

TEST(LedgerlyAppDelegateActions, RevealWithNothingSelectedDoesNothing) {
    AppDelegateHarness app;
    app.launch();
    app.delegate->revealMarkdownFile(MenuEntry::item("Reveal Markdown File"));
    EXPECT_TRUE(app.workspace.revealedFiles.empty());
}

TEST(LedgerlyAppDelegateActions, AboutActivatesThenShowsThePanel) {
    AppDelegateHarness app;
    app.launch();
    app.log.clear();
    app.delegate->showAbout(MenuEntry::item("About Ledgerly"));
    EXPECT_EQ((std::vector<std::string>{"application.bringToFront", "application.showAboutDialog"}), app.log.calls());
}

TEST(LedgerlyAppDelegateActions, QuitTerminatesAndNothingElse) {
    AppDelegateHarness app;
    app.launch();
    app.log.clear();
    app.delegate->quitApp(MenuEntry::item("Quit Ledgerly"));
    EXPECT_EQ(std::vector<std::string>{"application.terminate"}, app.log.calls());
}

TEST(LedgerlyAppDelegateSettings, FirstOpenMakesTheViewModelOnceAndEveryOpenRefreshesAndShows) {
    AppDelegateHarness app;
    app.launch();
    app.log.clear();

    app.delegate->openSettings(MenuEntry::item("Settings..."));
    ASSERT_NE(nullptr, app.delegate->settingsViewModel());
    EXPECT_EQ(KeyboardShortcut::defaultOpenMenu, app.delegate->settingsViewModel()->globalShortcut());

    const KeyboardShortcut changed{2, ModifierFlags::control | ModifierFlags::option};
    app.delegate->settingsStore().setGlobalShortcut(changed);
    app.delegate->openSettings(MenuEntry::item("Settings..."));

    EXPECT_EQ(1, app.loginServicesMade);
    EXPECT_EQ(1, app.registrarsMade) << "the view model must share the start-up controller";
    ASSERT_EQ(2u, app.settingsWindowsShown.size());
    EXPECT_EQ(app.settingsWindowsShown[0], app.settingsWindowsShown[1]);
    EXPECT_EQ(changed, app.delegate->settingsViewModel()->globalShortcut()) << "not refreshed on the second open";
    EXPECT_EQ((std::vector<std::string>{"showSettingsWindow", "application.bringToFront", "showSettingsWindow",
                                        "application.bringToFront"}),
              app.log.calls());
}

TEST(LedgerlyAppDelegateSettings, ViewModelShowsTheStartUpRegistrationFailure) {
    AppDelegateHarness app;
    app.hotKeyBackend.registerStatuses = {-9878};
    app.launch();
    app.delegate->openSettings(MenuEntry::item("Settings..."));
    ASSERT_NE(nullptr, app.delegate->settingsViewModel());
    EXPECT_EQ(std::optional<std::string>("Shortcut unavailable."),
              app.delegate->settingsViewModel()->globalShortcutError());
}

TEST(LedgerlyAppDelegateSettings, WithoutASettingsWindowNothingHappens) {
    AppDelegateHarness app;
    auto services = app.services();
    services.showSettingsWindow = nullptr;
    app.delegate = LedgerlyAppDelegate::create(std::move(services));
    app.delegate->openSettings(MenuEntry::item("Settings..."));
    EXPECT_EQ(nullptr, app.delegate->settingsViewModel());
    EXPECT_EQ(0, app.application.activations);
}

}  // namespace
}  // namespace ledgerly::testing
