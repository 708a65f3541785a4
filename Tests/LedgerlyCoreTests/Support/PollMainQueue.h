#pragma once

#include "LedgerlyCore/Platform/MainQueue.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace ledgerly::testing {

// A main queue on poll(2), for tests that need real file descriptors. The thread
// that runs it is the main thread; post() may come from any thread and wakes
// a waiting run through an eventfd. Watches are added and cancelled on the
// main thread only.
class PollMainQueue final : public MainQueue {
public:
    // Throws std::system_error when the wake-up descriptor cannot be made.
    PollMainQueue();
    ~PollMainQueue() override;

    void post(Task task) override;
    WatchId watchReadable(int fileDescriptor, Task onReadable) override;
    void cancelWatch(WatchId id) override;

    // Runs the tasks posted before this call, not those they post; never waits.
    // Returns how many ran.
    std::size_t runPending();
    // Waits up to `timeout` for a posted task or a readable descriptor, then
    // runs everything that is ready. Returns whether anything ran.
    bool runOnce(std::chrono::milliseconds timeout);
    // Runs until `done()` holds or `timeout` has passed; returns `done()`.
    bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Runs until stop() is called.
    void run();
    // Makes run() return after the work at hand; safe from any thread.
    void stop();

private:
    struct Watch {
        int fileDescriptor = -1;
        std::shared_ptr<Task> onReadable;
    };

    bool runOnceWaiting(int pollTimeoutMilliseconds);
    bool hasPendingTasks() const;
    void wake();
    void drainWakeups();
    bool dispatchReadable(WatchId id);

    int wakeDescriptor_ = -1;
    mutable std::mutex tasksMutex_;
    std::deque<Task> tasks_;
    std::map<WatchId, Watch> watches_;
    WatchId nextWatchId_ = 1;
    std::atomic<bool> stopRequested_ = false;
};

}  // namespace ledgerly::testing
