#include "Platform/FileWatcherTestSupport.h"

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <memory>

namespace ledgerly::testing {
namespace {

struct ChangeCase {
    const char* name;
    std::function<void(const fs::path&)> change;
};

void PrintTo(const ChangeCase& changeCase, std::ostream* out) { *out << changeCase.name; }

class FileWatcherEvents : public FileWatcherTest, public ::testing::WithParamInterface<ChangeCase> {};

TEST_P(FileWatcherEvents, ChangeCallsHandlerOnMainQueue) {
    watcher.watch(file, counter());
    GetParam().change(file);
    EXPECT_EQ(0, calls) << "handler ran outside the queue";
    EXPECT_TRUE(waitForCalls(1));
}

INSTANTIATE_TEST_SUITE_P(
    EveryKind, FileWatcherEvents,
    ::testing::Values(
        ChangeCase{"append", [](const fs::path& path) { append(path, "- [a](https://a.example)\n"); }},
        ChangeCase{"overwrite", [](const fs::path& path) { std::ofstream(path, std::ios::trunc) << "new"; }},
        ChangeCase{"truncate", [](const fs::path& path) { fs::resize_file(path, 0); }},
        ChangeCase{"chmod", [](const fs::path& path) { fs::permissions(path, fs::perms::owner_read); }},
        ChangeCase{"times", [](const fs::path& path) { fs::last_write_time(path, fs::file_time_type{}); }},
        ChangeCase{"delete", [](const fs::path& path) { fs::remove(path); }},
        ChangeCase{"renameAway", [](const fs::path& path) { fs::rename(path, fs::path(path).concat(".old")); }},
        ChangeCase{"replaceByRename", [](const fs::path& path) { saveAtomically(path, "# Saved\n"); }}),
    [](const ::testing::TestParamInfo<ChangeCase>& info) { return std::string(info.param.name); });

TEST_F(FileWatcherTest, ReadingTheFileReportsNothing) {
    watcher.watch(file, counter());
    std::string text;
    std::ifstream(file) >> text;
    runReady();
    EXPECT_EQ(0, calls);
}

TEST_F(FileWatcherTest, EventsTogetherMakeOneCall) {
    watcher.watch(file, counter());
    append(file, "one\n");
    append(file, "two\n");
    fs::permissions(file, fs::perms::owner_all);
    EXPECT_TRUE(queue.runOnce(eventLimit));
    runReady();
    EXPECT_EQ(1, calls);
}

TEST_F(FileWatcherTest, WatchingSetsDescriptorAndState) {
    watcher.watch(file, counter());
    EXPECT_GE(watcher.fileDescriptor(), 0);
    EXPECT_NE(-1, ::fcntl(watcher.fileDescriptor(), F_GETFD));
    EXPECT_EQ(FileWatcher::State::watchingFile, watcher.state());
}

TEST_F(FileWatcherTest, DescriptorIsCloseOnExec) {
    watcher.watch(file, counter());
    EXPECT_NE(0, ::fcntl(watcher.fileDescriptor(), F_GETFD) & FD_CLOEXEC);
}

TEST_F(FileWatcherTest, FileIsNeverHeldOpen) {
    watcher.watch(file, counter());
    EXPECT_FALSE(processHoldsOpen(file));
    fs::remove(file);
    EXPECT_TRUE(waitForCalls(1));
    EXPECT_FALSE(fs::exists(file));
}

TEST_F(FileWatcherTest, AfterDeleteNewFileAtPathIsNotReportedUntilWatchedAgain) {
    watcher.watch(file, counter());
    fs::remove(file);
    ASSERT_TRUE(waitForCalls(1));
    folder.writeFile("links.md", "# Again\n");
    append(file, "more\n");
    runReady();
    EXPECT_EQ(1, calls);

    watcher.watch(file, counter());
    append(file, "and more\n");
    EXPECT_TRUE(waitForCalls(2));
}

TEST_F(FileWatcherTest, SecondAtomicSaveIsNotReportedWithoutNewWatch) {
    watcher.watch(file, counter());
    saveAtomically(file, "first\n");
    ASSERT_TRUE(waitForCalls(1));
    runReady();
    const int afterFirst = calls;
    saveAtomically(file, "second\n");
    runReady();
    EXPECT_EQ(afterFirst, calls);
}

TEST_F(FileWatcherTest, SecondWatchReplacesFirstAndClosesItsDescriptor) {
    const int before = openInotifyDescriptors();
    const auto other = folder.writeFile("other.md", "");
    int otherCalls = 0;
    watcher.watch(file, counter());
    watcher.watch(other, [&] { ++otherCalls; });
    EXPECT_EQ(before + 1, openInotifyDescriptors());

    append(file, "ignored\n");
    runReady();
    EXPECT_EQ(0, calls);
    append(other, "seen\n");
    EXPECT_TRUE(queue.runUntil([&] { return otherCalls == 1; }, eventLimit));
}

TEST_F(FileWatcherTest, StopEndsReportingAndClosesDescriptor) {
    const int before = openInotifyDescriptors();
    watcher.watch(file, counter());
    ASSERT_EQ(before + 1, openInotifyDescriptors());
    watcher.stop();
    append(file, "after stop\n");
    runReady();
    EXPECT_EQ(0, calls);
    EXPECT_EQ(-1, watcher.fileDescriptor());
    EXPECT_EQ(FileWatcher::State::idle, watcher.state());
    EXPECT_EQ(before, openInotifyDescriptors());
}

TEST_F(FileWatcherTest, StopDropsEventsNotYetDelivered) {
    watcher.watch(file, counter());
    append(file, "pending\n");
    watcher.stop();
    runReady();
    EXPECT_EQ(0, calls);
}

// A second close would close whatever reused the number in between.
TEST_F(FileWatcherTest, DescriptorIsClosedExactlyOnce) {
    auto owned = std::make_unique<FileWatcher>(queue);
    owned->watch(file, counter());
    const int watched = owned->fileDescriptor();
    owned->stop();
    const int reused = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(reused, 0);
    owned->stop();
    owned.reset();
    EXPECT_NE(-1, ::fcntl(reused, F_GETFD)) << "descriptor " << watched << " was closed twice";
    ::close(reused);
}

TEST_F(FileWatcherTest, DestroyingWatcherEndsReporting) {
    const int before = openInotifyDescriptors();
    auto owned = std::make_unique<FileWatcher>(queue);
    owned->watch(file, counter());
    append(file, "pending\n");
    owned.reset();
    runReady();
    EXPECT_EQ(0, calls);
    EXPECT_EQ(before, openInotifyDescriptors());
}

TEST_F(FileWatcherTest, StopOnIdleWatcherChangesNothing) {
    watcher.stop();
    EXPECT_EQ(-1, watcher.fileDescriptor());
    EXPECT_EQ(FileWatcher::State::idle, watcher.state());
}

TEST_F(FileWatcherTest, MissingFileSetsNoWatch) {
    const int before = openInotifyDescriptors();
    const auto missing = folder.file("missing.md");
    watcher.watch(missing, counter());
    EXPECT_LT(watcher.fileDescriptor(), 0);
    EXPECT_EQ(FileWatcher::State::openFailed, watcher.state());
    EXPECT_EQ(before, openInotifyDescriptors());
    folder.writeFile("missing.md", "now here");
    runReady();
    EXPECT_EQ(0, calls);
    watcher.stop();
    EXPECT_EQ(-1, watcher.fileDescriptor());
    EXPECT_EQ(FileWatcher::State::idle, watcher.state());
}

TEST_F(FileWatcherTest, HandlerMayStopItsOwnWatcher) {
    watcher.watch(file, [&] {
        ++calls;
        watcher.stop();
    });
    append(file, "x\n");
    ASSERT_TRUE(waitForCalls(1));
    append(file, "y\n");
    runReady();
    EXPECT_EQ(1, calls);
    EXPECT_EQ(FileWatcher::State::idle, watcher.state());
}

}  // namespace
}  // namespace ledgerly::testing
