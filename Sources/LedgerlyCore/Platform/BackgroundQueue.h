#pragma once

#include <functional>

namespace ledgerly {

// Work that must not hold up the main thread: reading and parsing files,
// building and dropping large menus.
class BackgroundQueue {
public:
    using Job = std::function<void()>;

    BackgroundQueue() = default;
    BackgroundQueue(const BackgroundQueue&) = delete;
    BackgroundQueue& operator=(const BackgroundQueue&) = delete;
    virtual ~BackgroundQueue() = default;

    // Runs `job` later, away from the main thread, after the jobs submitted
    // before it; the job is destroyed there too, with what it holds.
    virtual void submit(Job job) = 0;
};

}  // namespace ledgerly
