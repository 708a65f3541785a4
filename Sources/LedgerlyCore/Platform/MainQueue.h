#pragma once

#include <cstdint>
#include <functional>

namespace ledgerly {

// The main thread's queue. Everything of the application runs on it: posted
// tasks, and callbacks for file descriptors that became readable.
class MainQueue {
public:
    using Task = std::function<void()>;
    using WatchId = std::uint64_t;

    MainQueue() = default;
    MainQueue(const MainQueue&) = delete;
    MainQueue& operator=(const MainQueue&) = delete;
    virtual ~MainQueue() = default;

    // Runs `task` later on the main thread, never inside this call. Safe to
    // call from any thread.
    virtual void post(Task task) = 0;
    // Calls `onReadable` on the main thread whenever `fileDescriptor` has data
    // to read, until the watch is cancelled. The queue never closes the descriptor.
    virtual WatchId watchReadable(int fileDescriptor, Task onReadable) = 0;
    // Ends a watch; no callback of it runs after this returns. Unknown ids are ignored.
    virtual void cancelWatch(WatchId id) = 0;
};

}  // namespace ledgerly
