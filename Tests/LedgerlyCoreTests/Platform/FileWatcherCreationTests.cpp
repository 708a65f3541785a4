#include "Platform/FileWatcherTestSupport.h"
#include "Support/RecordingLogSink.h"

#include <memory>
#include <string>
#include <vector>

namespace ledgerly::testing {
namespace {

class FileWatcherCreation : public FileWatcherTest {
protected:
    fs::path awaited = folder.file("later.md");
};

TEST_F(FileWatcherCreation, WatchOrAwaitWatchesAnExistingFile) {
    watcher.watchOrAwaitCreation(file, counter());
    EXPECT_EQ(FileWatcher::State::watchingFile, watcher.state());
    append(file, "edit\n");
    EXPECT_TRUE(waitForCalls(1));
}

TEST_F(FileWatcherCreation, WatchOrAwaitWatchesFolderForAMissingFile) {
    const RecordingLogSink log;
    watcher.watchOrAwaitCreation(awaited, counter());
    EXPECT_EQ(FileWatcher::State::watchingFolder, watcher.state());
    // Routine: only a debug line.
    ASSERT_EQ(1u, log.lines.size());
    EXPECT_TRUE(log.lines[0].starts_with("ledgerly.file debug: ")) << log.lines[0];
    runReady();
    EXPECT_EQ(0, calls);
    folder.writeFile("later.md", "");
    EXPECT_TRUE(waitForCalls(1));
}

TEST_F(FileWatcherCreation, WatchOrAwaitReportsANameMovedIn) {
    const auto elsewhere = folder.writeFile("draft.md", "# Draft\n");
    watcher.watchOrAwaitCreation(awaited, counter());
    fs::rename(elsewhere, awaited);
    EXPECT_TRUE(waitForCalls(1));
}

TEST_F(FileWatcherCreation, WatchOrAwaitIgnoresOtherNamesInTheFolder) {
    watcher.watchOrAwaitCreation(awaited, counter());
    folder.writeFile("later.md.tmp", "");
    folder.writeFile("later", "");
    fs::create_directory(folder.file("sub"));
    append(file, "edit\n");
    runReady();
    EXPECT_EQ(0, calls);
}

TEST_F(FileWatcherCreation, WatchOrAwaitFailsWhenTheFolderIsMissing) {
    const RecordingLogSink log;
    watcher.watchOrAwaitCreation(folder.file("gone/later.md"), counter());
    EXPECT_EQ(FileWatcher::State::openFailed, watcher.state());
    EXPECT_LT(watcher.fileDescriptor(), 0);
    EXPECT_EQ(std::vector<std::string>{"ledgerly.file warning: Cannot follow changes of \"" +
                                       folder.file("gone/later.md").string() +
                                       "\" (No such file or directory); the menu changes only on Refresh"},
              log.lines);
}

class FileWatcherFollowing : public FileWatcherTest {
protected:
    void SetUp() override { watcher.watchOrAwaitCreation(file, rearmingCounter()); }
};

TEST_F(FileWatcherFollowing, TwoAtomicSavesInARowAreBothReported) {
    saveAtomically(file, "first\n");
    ASSERT_TRUE(waitForCalls(1));
    runReady();
    const int afterFirst = calls;
    saveAtomically(file, "second\n");
    EXPECT_TRUE(waitForCalls(afterFirst + 1));
}

TEST_F(FileWatcherFollowing, ThreeAtomicSavesInARowAreAllReported) {
    for (int save = 1; save <= 3; ++save) {
        runReady();
        const int before = calls;
        saveAtomically(file, "save " + std::to_string(save) + "\n");
        ASSERT_TRUE(waitForCalls(before + 1)) << "save " << save;
        EXPECT_EQ(FileWatcher::State::watchingFile, watcher.state());
    }
}

TEST_F(FileWatcherFollowing, DeleteThenRecreateIsReportedAndFollowed) {
    fs::remove(file);
    ASSERT_TRUE(waitForCalls(1));
    runReady();
    EXPECT_EQ(FileWatcher::State::watchingFolder, watcher.state());
    const int afterDelete = calls;

    folder.writeFile("links.md", "# Back\n");
    ASSERT_TRUE(waitForCalls(afterDelete + 1));
    runReady();
    EXPECT_EQ(FileWatcher::State::watchingFile, watcher.state());
    const int afterCreate = calls;

    append(file, "edit\n");
    EXPECT_TRUE(waitForCalls(afterCreate + 1));
}

TEST_F(FileWatcherFollowing, RenameAwayThenBackIsReportedAndFollowed) {
    const auto away = folder.file("away.md");
    fs::rename(file, away);
    ASSERT_TRUE(waitForCalls(1));
    runReady();
    EXPECT_EQ(FileWatcher::State::watchingFolder, watcher.state());
    const int afterAway = calls;

    append(away, "edited while away\n");
    runReady();
    EXPECT_EQ(afterAway, calls);

    fs::rename(away, file);
    ASSERT_TRUE(waitForCalls(afterAway + 1));
    runReady();
    EXPECT_EQ(FileWatcher::State::watchingFile, watcher.state());
    const int afterBack = calls;

    append(file, "edit\n");
    EXPECT_TRUE(waitForCalls(afterBack + 1));
}

TEST_F(FileWatcherFollowing, ReArmingKeepsOneDescriptor) {
    const int before = openInotifyDescriptors();
    for (int save = 0; save < 3; ++save) {
        runReady();
        const int expected = calls + 1;
        saveAtomically(file, "again\n");
        ASSERT_TRUE(waitForCalls(expected));
    }
    runReady();
    EXPECT_EQ(before, openInotifyDescriptors());
}

}  // namespace
}  // namespace ledgerly::testing
