#include "LedgerlyDesktop/QtMainQueue.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <unistd.h>

#include <atomic>
#include <memory>
#include <thread>

namespace ledgerly::testing {
namespace {

// Runs the event loop until `done` holds or five seconds pass.
template <typename Condition>
bool processEventsUntil(Condition done) {
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return done();
}

class Pipe {
public:
    Pipe() {
        if (::pipe(ends_) != 0) {
            throw std::runtime_error("pipe");
        }
    }
    ~Pipe() {
        ::close(ends_[0]);
        ::close(ends_[1]);
    }
    int readEnd() const { return ends_[0]; }
    void send() const { EXPECT_EQ(1, ::write(ends_[1], "x", 1)); }
    void drain() const {
        char byte = 0;
        EXPECT_EQ(1, ::read(ends_[0], &byte, 1));
    }

private:
    int ends_[2] = {-1, -1};
};

TEST(QtMainQueuePost, RunsLaterNeverInsideTheCall) {
    QtMainQueue queue;
    int runs = 0;
    queue.post([&runs] { ++runs; });
    EXPECT_EQ(0, runs);
    EXPECT_TRUE(processEventsUntil([&runs] { return runs == 1; }));
}

TEST(QtMainQueuePost, KeepsTheOrderOfPosting) {
    QtMainQueue queue;
    std::vector<int> order;
    for (int i = 0; i < 5; ++i) {
        queue.post([&order, i] { order.push_back(i); });
    }
    EXPECT_TRUE(processEventsUntil([&order] { return order.size() == 5; }));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), order);
}

TEST(QtMainQueuePost, TasksPostedFromAnotherThreadRunOnTheMainThread) {
    QtMainQueue queue;
    std::atomic<int> runs = 0;
    QThread* runThread = nullptr;
    std::thread poster([&] {
        for (int i = 0; i < 100; ++i) {
            queue.post([&] {
                runThread = QThread::currentThread();
                ++runs;
            });
        }
    });
    poster.join();
    EXPECT_TRUE(processEventsUntil([&runs] { return runs == 100; }));
    EXPECT_EQ(QCoreApplication::instance()->thread(), runThread);
}

TEST(QtMainQueuePost, TasksOfADestroyedQueueNeverRun) {
    bool ran = false;
    {
        QtMainQueue queue;
        queue.post([&ran] { ran = true; });
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(ran);
}

TEST(QtMainQueueWatch, CallsBackWhenTheDescriptorIsReadable) {
    QtMainQueue queue;
    Pipe pipe;
    int calls = 0;
    queue.watchReadable(pipe.readEnd(), [&] {
        pipe.drain();
        ++calls;
    });
    QCoreApplication::processEvents();
    EXPECT_EQ(0, calls);
    pipe.send();
    EXPECT_TRUE(processEventsUntil([&calls] { return calls == 1; }));
    pipe.send();
    EXPECT_TRUE(processEventsUntil([&calls] { return calls == 2; }));
}

TEST(QtMainQueueWatch, CancelledWatchNeverCallsBackAgain) {
    QtMainQueue queue;
    Pipe pipe;
    int calls = 0;
    const auto id = queue.watchReadable(pipe.readEnd(), [&calls] { ++calls; });
    pipe.send();
    queue.cancelWatch(id);
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(0, calls);
}

TEST(QtMainQueueWatch, CallbackMayCancelItsOwnWatch) {
    QtMainQueue queue;
    Pipe pipe;
    int calls = 0;
    MainQueue::WatchId id = 0;
    id = queue.watchReadable(pipe.readEnd(), [&] {
        ++calls;
        queue.cancelWatch(id);
    });
    pipe.send();
    EXPECT_TRUE(processEventsUntil([&calls] { return calls == 1; }));
    // The byte is still unread: a live watch would fire again and again.
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(1, calls);
}

TEST(QtMainQueueWatch, CallbackMayReplaceItsWatchWithOneOnAReusedDescriptor) {
    // What the file watcher does after an editor's atomic save: the new descriptor gets the old number.
    QtMainQueue queue;
    auto first = std::make_unique<Pipe>();
    const int reusedNumber = first->readEnd();
    std::unique_ptr<Pipe> second;
    int secondCalls = 0;
    MainQueue::WatchId id = 0;
    id = queue.watchReadable(first->readEnd(), [&] {
        queue.cancelWatch(id);
        first.reset();
        second = std::make_unique<Pipe>();
        queue.watchReadable(second->readEnd(), [&] {
            second->drain();
            ++secondCalls;
        });
    });
    first->send();
    EXPECT_TRUE(processEventsUntil([&] { return second != nullptr; }));
    ASSERT_EQ(reusedNumber, second->readEnd());
    second->send();
    EXPECT_TRUE(processEventsUntil([&] { return secondCalls == 1; }));
}

TEST(QtMainQueueWatch, UnknownIdIsIgnored) {
    QtMainQueue queue;
    queue.cancelWatch(12345);
    Pipe pipe;
    int calls = 0;
    queue.watchReadable(pipe.readEnd(), [&] {
        pipe.drain();
        ++calls;
    });
    queue.cancelWatch(12345);
    pipe.send();
    EXPECT_TRUE(processEventsUntil([&calls] { return calls == 1; }));
}

}  // namespace
}  // namespace ledgerly::testing
