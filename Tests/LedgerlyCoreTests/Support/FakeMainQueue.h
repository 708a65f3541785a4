#pragma once

#include "LedgerlyCore/Platform/MainQueue.h"

#include <cstddef>
#include <deque>
#include <map>
#include <memory>

namespace ledgerly::testing {

// A queue that runs nothing by itself: posted tasks wait for runPending(),
// and readable callbacks run when the test fires their descriptor.
class FakeMainQueue final : public MainQueue {
public:
    void post(Task task) override;
    WatchId watchReadable(int fileDescriptor, Task onReadable) override;
    void cancelWatch(WatchId id) override;

    // Runs the tasks posted before this call, not those they post; returns how many ran.
    std::size_t runPending();
    // Runs until no task is left; returns how many ran.
    std::size_t runAll();
    // Calls every live watch of `fileDescriptor`; returns how many were called.
    std::size_t fireReadable(int fileDescriptor);

    std::size_t pendingTaskCount() const { return tasks_.size(); }
    bool isWatching(int fileDescriptor) const;
    std::size_t watchCount() const { return watches_.size(); }

private:
    struct Watch {
        int fileDescriptor = -1;
        std::shared_ptr<Task> onReadable;
    };

    std::deque<Task> tasks_;
    std::map<WatchId, Watch> watches_;
    WatchId nextWatchId_ = 1;
};

}  // namespace ledgerly::testing
