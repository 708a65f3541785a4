#include "Support/FakeMainQueue.h"

#include <gtest/gtest.h>

#include <vector>

namespace ledgerly::testing {
namespace {

TEST(FakeMainQueueTasks, PostedTasksWaitForRunPending) {
    FakeMainQueue queue;
    std::vector<int> order;
    queue.post([&] { order.push_back(1); });
    queue.post([&] { order.push_back(2); });
    EXPECT_TRUE(order.empty());
    EXPECT_EQ(2u, queue.pendingTaskCount());
    EXPECT_EQ(2u, queue.runPending());
    EXPECT_EQ((std::vector<int>{1, 2}), order);
    EXPECT_EQ(0u, queue.pendingTaskCount());
}

TEST(FakeMainQueueTasks, TaskPostedByTaskWaitsForNextRun) {
    FakeMainQueue queue;
    int inner = 0;
    queue.post([&] { queue.post([&] { ++inner; }); });
    EXPECT_EQ(1u, queue.runPending());
    EXPECT_EQ(0, inner);
    EXPECT_EQ(1u, queue.runPending());
    EXPECT_EQ(1, inner);
}

TEST(FakeMainQueueTasks, RunAllRunsTasksPostedOnTheWay) {
    FakeMainQueue queue;
    int depth = 0;
    std::function<void()> nest = [&] {
        if (++depth < 3) {
            queue.post(nest);
        }
    };
    queue.post(nest);
    EXPECT_EQ(3u, queue.runAll());
    EXPECT_EQ(3, depth);
}

TEST(FakeMainQueueWatches, FireCallsOnlyWatchesOfThatDescriptor) {
    FakeMainQueue queue;
    int seven = 0;
    int eight = 0;
    queue.watchReadable(7, [&] { ++seven; });
    queue.watchReadable(8, [&] { ++eight; });
    EXPECT_EQ(1u, queue.fireReadable(7));
    EXPECT_EQ(1, seven);
    EXPECT_EQ(0, eight);
    EXPECT_EQ(0u, queue.fireReadable(9));
}

TEST(FakeMainQueueWatches, CancelledWatchIsNotCalled) {
    FakeMainQueue queue;
    int calls = 0;
    const auto id = queue.watchReadable(7, [&] { ++calls; });
    EXPECT_TRUE(queue.isWatching(7));
    queue.cancelWatch(id);
    EXPECT_FALSE(queue.isWatching(7));
    EXPECT_EQ(0u, queue.fireReadable(7));
    EXPECT_EQ(0, calls);
    EXPECT_EQ(0u, queue.watchCount());
}

TEST(FakeMainQueueWatches, CallbackMayCancelAnotherWatchOfTheSameDescriptor) {
    FakeMainQueue queue;
    int calls = 0;
    MainQueue::WatchId second = 0;
    queue.watchReadable(7, [&] {
        ++calls;
        queue.cancelWatch(second);
    });
    second = queue.watchReadable(7, [&] { ++calls; });
    EXPECT_EQ(1u, queue.fireReadable(7));
    EXPECT_EQ(1, calls);
}

TEST(FakeMainQueueWatches, CallbackMayCancelItself) {
    FakeMainQueue queue;
    MainQueue::WatchId id = 0;
    std::vector<int> owned(100, 1);  // state of the callback, checked by the sanitizers
    int sum = 0;
    id = queue.watchReadable(7, [&, owned] {
        queue.cancelWatch(id);
        for (int value : owned) {
            sum += value;
        }
    });
    queue.fireReadable(7);
    EXPECT_EQ(100, sum);
    EXPECT_FALSE(queue.isWatching(7));
}

}  // namespace
}  // namespace ledgerly::testing
