#include "Support/PollMainQueue.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace ledgerly::testing {
namespace {

using namespace std::chrono_literals;

// A generous bound: reaching it means the event never came.
constexpr auto eventLimit = 30s;

// A non-blocking pipe whose ends are closed at the end of the test.
struct Pipe {
    std::array<int, 2> ends{-1, -1};

    Pipe() {
        if (::pipe2(ends.data(), O_NONBLOCK | O_CLOEXEC) != 0) {
            throw std::runtime_error("pipe2");
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        closeWriteEnd();
        ::close(ends[0]);
    }
    int readEnd() const { return ends[0]; }
    void write(const std::string& bytes) const {
        ASSERT_EQ(static_cast<ssize_t>(bytes.size()), ::write(ends[1], bytes.data(), bytes.size()));
    }
    std::string drain() const {
        std::string bytes;
        char buffer[256];
        ssize_t count = 0;
        while ((count = ::read(ends[0], buffer, sizeof buffer)) > 0) {
            bytes.append(buffer, static_cast<std::size_t>(count));
        }
        return bytes;
    }
    void closeWriteEnd() {
        if (ends[1] >= 0) {
            ::close(ends[1]);
            ends[1] = -1;
        }
    }
};

TEST(PollMainQueueTasks, PostedTaskRunsLaterNotInline) {
    PollMainQueue queue;
    bool ran = false;
    queue.post([&] { ran = true; });
    EXPECT_FALSE(ran);
    EXPECT_EQ(1u, queue.runPending());
    EXPECT_TRUE(ran);
}

TEST(PollMainQueueTasks, TasksRunInPostOrder) {
    PollMainQueue queue;
    std::vector<int> order;
    for (int index = 0; index < 5; ++index) {
        queue.post([&order, index] { order.push_back(index); });
    }
    queue.runPending();
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), order);
}

TEST(PollMainQueueTasks, TaskPostedByTaskWaitsForNextRound) {
    PollMainQueue queue;
    std::vector<std::string> order;
    queue.post([&] {
        order.push_back("outer");
        queue.post([&] { order.push_back("inner"); });
    });
    EXPECT_EQ(1u, queue.runPending());
    EXPECT_EQ((std::vector<std::string>{"outer"}), order);
    EXPECT_EQ(1u, queue.runPending());
    EXPECT_EQ((std::vector<std::string>{"outer", "inner"}), order);
}

TEST(PollMainQueueTasks, RunOnceRunsPostedTasksWithoutWaiting) {
    PollMainQueue queue;
    int runs = 0;
    queue.post([&] { ++runs; });
    EXPECT_TRUE(queue.runOnce(0ms));
    EXPECT_EQ(1, runs);
    EXPECT_FALSE(queue.runOnce(0ms));
}

TEST(PollMainQueueTasks, ThrowingTaskLeavesLaterTasksQueued) {
    PollMainQueue queue;
    bool laterRan = false;
    queue.post([] { throw std::runtime_error("task failed"); });
    queue.post([&] { laterRan = true; });
    EXPECT_THROW(queue.runPending(), std::runtime_error);
    EXPECT_FALSE(laterRan);
    EXPECT_EQ(1u, queue.runPending());
    EXPECT_TRUE(laterRan);
}

// If post() did not wake the waiting poll, runOnce would sit out its whole
// limit and the test would hit the test runner's timeout.
TEST(PollMainQueueThreads, PostFromAnotherThreadWakesWaitingRun) {
    PollMainQueue queue;
    std::atomic<bool> ran = false;
    std::thread poster([&] { queue.post([&] { ran = true; }); });
    while (!ran) {
        queue.runOnce(std::chrono::hours(1));
    }
    poster.join();
    EXPECT_TRUE(ran);
}

TEST(PollMainQueueThreads, ConcurrentPostsAllRunOnTheRunningThread) {
    PollMainQueue queue;
    constexpr int threads = 4;
    constexpr int postsPerThread = 500;
    int runs = 0;  // touched only by the running thread
    bool offThread = false;
    const auto mainThread = std::this_thread::get_id();
    std::vector<std::thread> posters;
    for (int index = 0; index < threads; ++index) {
        posters.emplace_back([&] {
            for (int post = 0; post < postsPerThread; ++post) {
                queue.post([&] {
                    ++runs;
                    offThread = offThread || std::this_thread::get_id() != mainThread;
                });
            }
        });
    }
    EXPECT_TRUE(queue.runUntil([&] { return runs == threads * postsPerThread; }, eventLimit));
    for (auto& poster : posters) {
        poster.join();
    }
    EXPECT_FALSE(offThread);
}

TEST(PollMainQueueThreads, StopFromAnotherThreadEndsRunAfterEarlierTasks) {
    PollMainQueue queue;
    bool ran = false;
    std::thread other([&] {
        queue.post([&] { ran = true; });
        queue.stop();
    });
    queue.run();
    other.join();
    EXPECT_TRUE(ran);
}

TEST(PollMainQueueThreads, TaskCallingStopEndsRunAfterIt) {
    PollMainQueue queue;
    std::vector<int> order;
    queue.post([&] {
        order.push_back(1);
        queue.stop();
    });
    queue.run();
    EXPECT_EQ((std::vector<int>{1}), order);
}

TEST(PollMainQueueWatches, ReadableDescriptorCallsWatch) {
    PollMainQueue queue;
    Pipe pipe;
    std::string received;
    queue.watchReadable(pipe.readEnd(), [&] { received += pipe.drain(); });
    pipe.write("ping");
    EXPECT_TRUE(queue.runUntil([&] { return received == "ping"; }, eventLimit));
}

TEST(PollMainQueueWatches, QuietDescriptorCallsNothing) {
    PollMainQueue queue;
    Pipe pipe;
    int calls = 0;
    queue.watchReadable(pipe.readEnd(), [&] { ++calls; });
    EXPECT_FALSE(queue.runOnce(0ms));
    EXPECT_EQ(0, calls);
}

TEST(PollMainQueueWatches, HangUpCallsWatch) {
    PollMainQueue queue;
    Pipe pipe;
    int calls = 0;
    const auto id = queue.watchReadable(pipe.readEnd(), [&] { ++calls; });
    pipe.closeWriteEnd();
    EXPECT_TRUE(queue.runUntil([&] { return calls > 0; }, eventLimit));
    queue.cancelWatch(id);
}

TEST(PollMainQueueWatches, CancelledWatchIsNeverCalled) {
    PollMainQueue queue;
    Pipe pipe;
    int calls = 0;
    const auto id = queue.watchReadable(pipe.readEnd(), [&] { ++calls; });
    pipe.write("x");
    queue.cancelWatch(id);
    queue.runOnce(0ms);
    EXPECT_EQ(0, calls);
}

TEST(PollMainQueueWatches, WatchCancelledByEarlierCallbackOfSameRoundIsNotCalled) {
    PollMainQueue queue;
    Pipe first;
    Pipe second;
    int calls = 0;
    MainQueue::WatchId firstId = 0;
    MainQueue::WatchId secondId = 0;
    firstId = queue.watchReadable(first.readEnd(), [&] {
        ++calls;
        first.drain();
        queue.cancelWatch(secondId);
    });
    secondId = queue.watchReadable(second.readEnd(), [&] {
        ++calls;
        second.drain();
        queue.cancelWatch(firstId);
    });
    first.write("x");
    second.write("x");
    EXPECT_TRUE(queue.runUntil([&] { return calls > 0; }, eventLimit));
    queue.runOnce(0ms);
    EXPECT_EQ(1, calls);
}

TEST(PollMainQueueWatches, CallbackMayCancelItsOwnWatch) {
    PollMainQueue queue;
    Pipe pipe;
    int calls = 0;
    MainQueue::WatchId id = 0;
    std::string captured(1000, 'c');  // state the callback owns, checked by the sanitizers
    id = queue.watchReadable(pipe.readEnd(), [&, captured] {
        queue.cancelWatch(id);
        calls += captured.size() == 1000 ? 1 : 100;
    });
    pipe.write("x");
    EXPECT_TRUE(queue.runUntil([&] { return calls > 0; }, eventLimit));
    queue.runOnce(0ms);
    EXPECT_EQ(1, calls);
}

TEST(PollMainQueueWatches, CallbackMayAddAWatch) {
    PollMainQueue queue;
    Pipe first;
    Pipe second;
    bool secondCalled = false;
    const auto firstId = queue.watchReadable(first.readEnd(), [&] {
        first.drain();
        queue.watchReadable(second.readEnd(), [&] { secondCalled = true; });
        second.write("y");
    });
    first.write("x");
    EXPECT_TRUE(queue.runUntil([&] { return secondCalled; }, eventLimit));
    queue.cancelWatch(firstId);
}

TEST(PollMainQueueWatches, UnknownIdIsIgnored) {
    PollMainQueue queue;
    Pipe pipe;
    int calls = 0;
    queue.watchReadable(pipe.readEnd(), [&] {
        calls++;
        pipe.drain();
    });
    queue.cancelWatch(987654);
    pipe.write("x");
    EXPECT_TRUE(queue.runUntil([&] { return calls == 1; }, eventLimit));
}

TEST(PollMainQueueWatches, QueueNeverClosesTheDescriptor) {
    Pipe pipe;
    {
        PollMainQueue queue;
        const auto id = queue.watchReadable(pipe.readEnd(), [] {});
        queue.cancelWatch(id);
        queue.watchReadable(pipe.readEnd(), [] {});
    }
    EXPECT_NE(-1, ::fcntl(pipe.readEnd(), F_GETFD));
}

TEST(PollMainQueueWatches, WatchIdsAreNotReused) {
    PollMainQueue queue;
    Pipe pipe;
    const auto first = queue.watchReadable(pipe.readEnd(), [] {});
    queue.cancelWatch(first);
    const auto second = queue.watchReadable(pipe.readEnd(), [] {});
    EXPECT_NE(first, second);
}

}  // namespace
}  // namespace ledgerly::testing
