#include "App/AppDelegateHarness.h"

#include "LedgerlyCore/Platform/BackgroundQueue.h"

#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <string>

namespace ledgerly::testing {
namespace {

// Holds the jobs until the test runs them, as a busy worker would.
class HeldJobs final : public BackgroundQueue {
public:
    void submit(Job job) override { jobs.push_back(std::move(job)); }
    // Runs the oldest job and drops it, as the worker does.
    void runNext() {
        Job job = std::move(jobs.front());
        jobs.pop_front();
        job();
    }
    std::deque<Job> jobs;
};

class LedgerlyAppDelegateBackgroundRefresh : public ::testing::Test {
protected:
    void SetUp() override {
        file = app.select("Links.md", "# First\n- [Wiki](https://wiki.example.com)\n");
        auto services = app.services();
        services.backgroundQueue = &worker;
        app.delegate = LedgerlyAppDelegate::create(std::move(services));
        app.delegate->applicationDidFinishLaunching();
    }

    void write(const std::string& text) { std::ofstream(file, std::ios::trunc) << text; }

    // Lets the worker and the main thread take turns until neither has work left.
    void finishLoads() {
        while (!worker.jobs.empty() || app.fakeQueue.pendingTaskCount() > 0) {
            while (!worker.jobs.empty()) {
                worker.runNext();
            }
            app.fakeQueue.runAll();
        }
    }

    AppDelegateHarness app;
    HeldJobs worker;
    std::filesystem::path file;
};

TEST_F(LedgerlyAppDelegateBackgroundRefresh, MainThreadOnlySwapsTheFinishedMenuIn) {
    // Start-up goes on to the shortcut without waiting for the file.
    EXPECT_EQ((std::vector<std::string>{"statusItem.setTitle Ledgerly", "makeHotKeyRegistrar"}), app.log.calls());
    worker.runNext();
    EXPECT_EQ(nullptr, app.statusItem.installedMenu());  // built, not yet handed over

    app.fakeQueue.runAll();

    EXPECT_EQ((std::vector<std::string>{"statusItem.setTitle Ledgerly", "makeHotKeyRegistrar",
                                        "statusItem.setTitle First", "statusItem.setMenu"}),
              app.log.calls());
    EXPECT_EQ(app.delegate->menu(), *app.statusItem.installedMenu());
}

TEST_F(LedgerlyAppDelegateBackgroundRefresh, PreviousMenuStaysWhileALoadRuns) {
    finishLoads();
    const Menu first = app.delegate->menu();
    write("# Second\n- [Docs](https://docs.example.com)\n");
    app.delegate->refresh();

    EXPECT_EQ("First", app.delegate->statusTitle());
    EXPECT_EQ(first, *app.statusItem.installedMenu());
    finishLoads();
    EXPECT_EQ("Second", app.delegate->statusTitle());
}

TEST_F(LedgerlyAppDelegateBackgroundRefresh, ANewerRefreshDropsTheOlderResult) {
    finishLoads();
    const auto menusBefore = app.statusItem.menus.size();

    // Finished but not yet swapped in when the next refresh starts.
    write("# Older\n");
    app.delegate->refresh();
    worker.runNext();
    write("# Newer\n");
    app.delegate->refresh();
    app.fakeQueue.runAll();
    EXPECT_EQ("First", app.delegate->statusTitle());

    // Queued behind a newer one: never loaded.
    write("# Skipped\n");
    app.delegate->refresh();
    write("# Newest\n");
    app.delegate->refresh();
    finishLoads();

    EXPECT_EQ("Newest", app.delegate->statusTitle());
    EXPECT_EQ(menusBefore + 1, app.statusItem.menus.size());
}

TEST_F(LedgerlyAppDelegateBackgroundRefresh, PreviousMenuIsFreedOnTheWorker) {
    finishLoads();
    std::weak_ptr<const Menu> adminOfFirst = app.delegate->menu().entries.back().submenu;
    app.statusItem.menus.clear();
    write("# Second\n");
    app.delegate->refresh();
    worker.runNext();
    app.fakeQueue.runAll();

    EXPECT_FALSE(adminOfFirst.expired());  // held by the job that frees it
    ASSERT_EQ(1u, worker.jobs.size());
    worker.runNext();
    EXPECT_TRUE(adminOfFirst.expired());
}

}  // namespace
}  // namespace ledgerly::testing
