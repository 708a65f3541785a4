#include "Support/PollMainQueue.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#include <cerrno>

#include <algorithm>
#include <cstdint>
#include <system_error>
#include <utility>
#include <vector>

namespace ledgerly::testing {
namespace {

constexpr short readableEvents = POLLIN | POLLHUP | POLLERR;

int pollTimeout(std::chrono::milliseconds timeout) {
    const auto clamped = std::clamp<std::chrono::milliseconds::rep>(timeout.count(), 0, 1'000'000'000);
    return static_cast<int>(clamped);
}

}  // namespace

PollMainQueue::PollMainQueue() : wakeDescriptor_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
    if (wakeDescriptor_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

PollMainQueue::~PollMainQueue() { ::close(wakeDescriptor_); }

void PollMainQueue::post(Task task) {
    {
        const std::lock_guard lock(tasksMutex_);
        tasks_.push_back(std::move(task));
    }
    wake();
}

MainQueue::WatchId PollMainQueue::watchReadable(int fileDescriptor, Task onReadable) {
    const WatchId id = nextWatchId_++;
    watches_.emplace(id, Watch{fileDescriptor, std::make_shared<Task>(std::move(onReadable))});
    return id;
}

void PollMainQueue::cancelWatch(WatchId id) { watches_.erase(id); }

std::size_t PollMainQueue::runPending() {
    std::size_t count = 0;
    {
        const std::lock_guard lock(tasksMutex_);
        count = tasks_.size();
    }
    for (std::size_t ran = 0; ran < count; ++ran) {
        Task task;
        {
            const std::lock_guard lock(tasksMutex_);
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
    return count;
}

bool PollMainQueue::runOnce(std::chrono::milliseconds timeout) { return runOnceWaiting(pollTimeout(timeout)); }

bool PollMainQueue::runUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        runOnce(left);
    }
    return true;
}

void PollMainQueue::run() {
    for (;;) {
        runOnceWaiting(stopRequested_ ? 0 : -1);
        if (stopRequested_.exchange(false)) {
            return;
        }
    }
}

void PollMainQueue::stop() {
    stopRequested_ = true;
    wake();
}

bool PollMainQueue::runOnceWaiting(int pollTimeoutMilliseconds) {
    std::vector<pollfd> descriptors{{wakeDescriptor_, POLLIN, 0}};
    std::vector<WatchId> ids;
    for (const auto& [id, watch] : watches_) {
        descriptors.push_back({watch.fileDescriptor, POLLIN, 0});
        ids.push_back(id);
    }
    const int waitFor = hasPendingTasks() ? 0 : pollTimeoutMilliseconds;
    if (::poll(descriptors.data(), descriptors.size(), waitFor) < 0) {
        return false;  // interrupted by a signal: the caller just runs again
    }
    drainWakeups();
    bool ran = runPending() > 0;
    for (std::size_t index = 0; index < ids.size(); ++index) {
        const short events = descriptors[index + 1].revents;
        if ((events & POLLNVAL) != 0) {
            cancelWatch(ids[index]);  // closed while watched; dropped so poll cannot spin on it
        } else if ((events & readableEvents) != 0) {
            ran = dispatchReadable(ids[index]) || ran;
        }
    }
    return ran;
}

bool PollMainQueue::hasPendingTasks() const {
    const std::lock_guard lock(tasksMutex_);
    return !tasks_.empty();
}

void PollMainQueue::wake() {
    const std::uint64_t one = 1;
    // Only EAGAIN can fail here, when the counter is saturated: a wake-up is pending anyway.
    [[maybe_unused]] const auto written = ::write(wakeDescriptor_, &one, sizeof one);
}

void PollMainQueue::drainWakeups() {
    std::uint64_t count = 0;
    [[maybe_unused]] const auto read = ::read(wakeDescriptor_, &count, sizeof count);
}

bool PollMainQueue::dispatchReadable(WatchId id) {
    // An earlier callback of this round may have cancelled the watch.
    const auto found = watches_.find(id);
    if (found == watches_.end()) {
        return false;
    }
    // Held here so that a callback may cancel its own watch while it runs.
    const std::shared_ptr<Task> onReadable = found->second.onReadable;
    (*onReadable)();
    return true;
}

}  // namespace ledgerly::testing
