#include "App/AppDelegateHarness.h"

#include "LedgerlyCore/Parsing/MarkdownParser.h"
#include "Support/PollMainQueue.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>

// Real files, real inotify and the poll-based main queue: the delegate must
// keep following its file through the ways editors and people change it.
namespace ledgerly::testing {
namespace {

using namespace std::chrono_literals;
using State = LedgerlyMenuState;
namespace fs = std::filesystem;

// A generous bound: reaching it means the change was never followed.
constexpr auto kEventLimit = 30s;

const std::string kLinks = "# Team Links\n- [Wiki](https://wiki.example.com)\n";

void append(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::app | std::ios::binary) << text;
}

// What most editors do on save: write a new file beside the old one, rename it over.
void saveAtomically(const fs::path& path, const std::string& text) {
    const auto temporary = fs::path(path).concat(".swp");
    std::ofstream(temporary, std::ios::binary | std::ios::trunc) << text;
    fs::rename(temporary, path);
}

State documentOf(const std::string& text) { return State{State::Document{MarkdownParser().parse(text)}}; }

class LedgerlyAppDelegateWatcher : public ::testing::Test {
protected:
    PollMainQueue queue;
    AppDelegateHarness app{&queue};
    fs::path file = app.select("Links.md", kLinks);

    bool waitForState(const State& expected) {
        return queue.runUntil([&] { return app.delegate->menuState() == expected; }, kEventLimit);
    }
    bool waitForTitle(const std::string& expected) {
        return queue.runUntil([&] { return app.delegate->statusTitle() == expected; }, kEventLimit);
    }
    // inotify queues an event before the call that caused it returns, so
    // running what is ready now delivers every event caused so far.
    void runReady() {
        while (queue.runOnce(0ms)) {
        }
    }
};

TEST_F(LedgerlyAppDelegateWatcher, AppendedLineIsFollowed) {
    app.launch();
    append(file, "- [Docs](https://docs.example.com)\n");
    EXPECT_TRUE(waitForState(documentOf(kLinks + "- [Docs](https://docs.example.com)\n")));
    EXPECT_EQ(app.delegate->menu(), *app.statusItem.installedMenu());
}

TEST_F(LedgerlyAppDelegateWatcher, ReadingTheFileTriggersNoFurtherRefresh) {
    app.launch();
    runReady();
    EXPECT_EQ(1u, app.statusItem.menus.size());
}

TEST_F(LedgerlyAppDelegateWatcher, TwoAtomicSavesInARowAreBothFollowed) {
    app.launch();
    saveAtomically(file, "# First Save\n");
    ASSERT_TRUE(waitForTitle("First Save"));
    saveAtomically(file, "# Second Save\n");
    EXPECT_TRUE(waitForTitle("Second Save"));
}

TEST_F(LedgerlyAppDelegateWatcher, ThreeAtomicSavesInARowAreAllFollowed) {
    app.launch();
    for (const std::string title : {"One", "Two", "Three"}) {
        saveAtomically(file, "# " + title + "\n");
        ASSERT_TRUE(waitForTitle(title)) << "stopped following at save " << title;
    }
    EXPECT_EQ(FileWatcher::State::watchingFile, app.delegate->fileWatcher().state());
}

TEST_F(LedgerlyAppDelegateWatcher, SavesWithoutWaitingInBetweenEndOnTheLastText) {
    app.launch();
    saveAtomically(file, "# One\n");
    saveAtomically(file, "# Two\n");
    saveAtomically(file, "# Three\n");
    EXPECT_TRUE(waitForTitle("Three"));
}

TEST_F(LedgerlyAppDelegateWatcher, DeletedThenRecreatedFileIsFollowedAgain) {
    app.launch();
    fs::remove(file);
    ASSERT_TRUE(waitForState(State{State::SelectedFileNotFound{}}));
    EXPECT_EQ("Links", app.delegate->statusTitle());
    EXPECT_EQ(FileWatcher::State::watchingFolder, app.delegate->fileWatcher().state());

    app.folder.writeFile("Links.md", "# Back Again\n");
    ASSERT_TRUE(waitForTitle("Back Again"));
    EXPECT_EQ(FileWatcher::State::watchingFile, app.delegate->fileWatcher().state());

    append(file, "- [Wiki](https://wiki.example.com)\n");
    EXPECT_TRUE(waitForState(documentOf("# Back Again\n- [Wiki](https://wiki.example.com)\n")));
}

TEST_F(LedgerlyAppDelegateWatcher, RenamedAwayThenBackIsFollowedAgain) {
    app.launch();
    const auto elsewhere = app.folder.file("Links.md.bak");
    fs::rename(file, elsewhere);
    ASSERT_TRUE(waitForState(State{State::SelectedFileNotFound{}}));

    // The file it was renamed to is not the selected one: changing it shows nothing.
    append(elsewhere, "- [Ignored](https://ignored.example.com)\n");
    runReady();
    EXPECT_EQ(State{State::SelectedFileNotFound{}}, app.delegate->menuState());

    fs::rename(elsewhere, file);
    ASSERT_TRUE(waitForState(documentOf(kLinks + "- [Ignored](https://ignored.example.com)\n")));
    saveAtomically(file, "# Renamed Back\n");
    ASSERT_TRUE(waitForTitle("Renamed Back"));
    saveAtomically(file, "# Saved Again\n");
    EXPECT_TRUE(waitForTitle("Saved Again"));
}

TEST_F(LedgerlyAppDelegateWatcher, RemovedTitleFallsBackOnTheNextChange) {
    app.launch();
    ASSERT_EQ("Team Links", app.delegate->statusTitle());
    saveAtomically(file, "- [Wiki](https://wiki.example.com)\n");
    EXPECT_TRUE(waitForTitle("Links"));
}

TEST_F(LedgerlyAppDelegateWatcher, FileMissingAtStartIsPickedUpWhenCreated) {
    fs::remove(file);
    app.launch();
    ASSERT_EQ(State{State::SelectedFileNotFound{}}, app.delegate->menuState());
    saveAtomically(file, "# Created Later\n");
    EXPECT_TRUE(waitForTitle("Created Later"));
}

// Runs `action` once, during the next menu build: a change that lands while
// the delegate is between reading the file and installing the menu.
class ChangeDuringMenuBuild final : public SymbolAvailability {
public:
    bool hasSymbol(std::string_view) const override {
        if (auto run = std::exchange(action, nullptr)) {
            run();
        }
        return true;
    }
    mutable std::function<void()> action;
};

TEST_F(LedgerlyAppDelegateWatcher, ChangeWhileRefreshingIsNotLost) {
    auto symbols = std::make_shared<ChangeDuringMenuBuild>();
    auto services = app.services();
    services.symbols = symbols;
    app.delegate = LedgerlyAppDelegate::create(std::move(services));
    app.delegate->applicationDidFinishLaunching();

    symbols->action = [this] { saveAtomically(file, "# Saved While Building\n- [Wiki](https://wiki.example.com)\n"); };
    saveAtomically(file, "# First\n- [Wiki](https://wiki.example.com)\n");

    EXPECT_TRUE(waitForTitle("Saved While Building"));
}

TEST_F(LedgerlyAppDelegateWatcher, ChangeAfterTheDelegateIsGoneDoesNothing) {
    app.launch();
    const auto menus = app.statusItem.menus.size();
    append(file, "- [Docs](https://docs.example.com)\n");
    app.delegate.reset();
    runReady();
    EXPECT_EQ(menus, app.statusItem.menus.size());
}

}  // namespace
}  // namespace ledgerly::testing
