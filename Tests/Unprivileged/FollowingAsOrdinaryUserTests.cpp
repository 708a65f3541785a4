#include "App/AppDelegateHarness.h"

#include "Support/PollMainQueue.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

// The running delegate over real files and real inotify, as a user who is
// not root: what changes a person makes to the selected file, its
// permissions or the link it is reached through is followed without Refresh.
namespace ledgerly::testing {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using State = LedgerlyMenuState;

// A generous bound: reaching it means the change was never followed.
constexpr auto kEventLimit = 30s;

class FollowingAsOrdinaryUser : public ::testing::Test {
protected:
    void SetUp() override {
        if (::geteuid() == 0) {
            GTEST_SKIP() << "root reads any file: run through run-unprivileged.sh";
        }
    }
    bool waitForTitle(const std::string& expected) {
        return queue.runUntil([&] { return app.delegate->statusTitle() == expected; }, kEventLimit);
    }
    bool waitForUnreadable() {
        const State unreadable{State::SelectedFileUnreadable{FileReadFailureReason::permissionDenied}};
        return queue.runUntil([&] { return app.delegate->menuState() == unreadable; }, kEventLimit);
    }
    // What "ln -sfn TARGET LINK" does: a new link renamed onto the name.
    void pointLink(const fs::path& link, const fs::path& target) {
        const auto fresh = fs::path(link).concat(".new");
        fs::create_symlink(target, fresh);
        fs::rename(fresh, link);
    }

    PollMainQueue queue;
    AppDelegateHarness app{&queue};
};

TEST_F(FollowingAsOrdinaryUser, PermissionTakenAndGivenBackIsFollowed) {
    const auto file = app.select("Links.md", "# Team Links\n");
    app.launch();
    fs::permissions(file, fs::perms::none);
    ASSERT_TRUE(waitForUnreadable());
    // An unreadable file is not taken for one that appeared: nothing is left to run.
    EXPECT_EQ(0u, queue.runPending());
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(waitForTitle("Team Links"));
}

TEST_F(FollowingAsOrdinaryUser, RepointedLinkAndItsTargetInAnotherFolderAreFollowed) {
    fs::create_directory(app.folder.file("dotfiles"));
    const auto first = app.folder.writeFile("dotfiles/first.md", "# First\n");
    const auto second = app.folder.writeFile("dotfiles/second.md", "# Second\n");
    const auto link = app.folder.file("links.md");
    fs::create_symlink(first, link);
    app.defaults.setString("selectedMarkdownPath", link.string());
    app.launch();
    ASSERT_EQ("First", app.delegate->statusTitle());

    pointLink(link, second);
    ASSERT_TRUE(waitForTitle("Second"));
    std::ofstream(second, std::ios::trunc) << "# Second, edited\n";
    ASSERT_TRUE(waitForTitle("Second, edited"));
    fs::permissions(second, fs::perms::none);
    ASSERT_TRUE(waitForUnreadable());
    fs::permissions(second, fs::perms::owner_read);
    EXPECT_TRUE(waitForTitle("Second, edited"));
}

}  // namespace
}  // namespace ledgerly::testing
