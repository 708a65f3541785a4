#pragma once

#include "LedgerlyCore/Platform/BackgroundQueue.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace ledgerly {

// A background queue on one thread of its own, started with it. Destroying
// it lets the running job finish and drops the jobs that have not started.
class WorkerThread final : public BackgroundQueue {
public:
    WorkerThread();
    ~WorkerThread() override;

    void submit(Job job) override;

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace ledgerly
