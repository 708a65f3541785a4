#include "Support/FakeMainQueue.h"

#include <utility>
#include <vector>

namespace ledgerly::testing {

void FakeMainQueue::post(Task task) { tasks_.push_back(std::move(task)); }

MainQueue::WatchId FakeMainQueue::watchReadable(int fileDescriptor, Task onReadable) {
    const WatchId id = nextWatchId_++;
    watches_.emplace(id, Watch{fileDescriptor, std::make_shared<Task>(std::move(onReadable))});
    return id;
}

void FakeMainQueue::cancelWatch(WatchId id) { watches_.erase(id); }

std::size_t FakeMainQueue::runPending() {
    const std::size_t count = tasks_.size();
    for (std::size_t ran = 0; ran < count; ++ran) {
        Task task = std::move(tasks_.front());
        tasks_.pop_front();
        task();
    }
    return count;
}

std::size_t FakeMainQueue::runAll() {
    std::size_t total = 0;
    while (!tasks_.empty()) {
        total += runPending();
    }
    return total;
}

std::size_t FakeMainQueue::fireReadable(int fileDescriptor) {
    std::vector<WatchId> ids;
    for (const auto& [id, watch] : watches_) {
        if (watch.fileDescriptor == fileDescriptor) {
            ids.push_back(id);
        }
    }
    std::size_t called = 0;
    for (const WatchId id : ids) {
        // A callback may cancel later watches, or its own.
        const auto found = watches_.find(id);
        if (found == watches_.end()) {
            continue;
        }
        const auto onReadable = found->second.onReadable;
        (*onReadable)();
        ++called;
    }
    return called;
}

bool FakeMainQueue::isWatching(int fileDescriptor) const {
    for (const auto& [id, watch] : watches_) {
        if (watch.fileDescriptor == fileDescriptor) {
            return true;
        }
    }
    return false;
}

}  // namespace ledgerly::testing
