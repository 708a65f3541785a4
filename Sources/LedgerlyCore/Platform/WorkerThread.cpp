#include "LedgerlyCore/Platform/WorkerThread.h"

#include <utility>

namespace ledgerly {

WorkerThread::WorkerThread() : thread_([this] { run(); }) {}

WorkerThread::~WorkerThread() {
    std::deque<Job> unstarted;
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        unstarted.swap(jobs_);
    }
    // Before waiting: what they hold may be what the running job waits for.
    unstarted.clear();
    wake_.notify_one();
    thread_.join();
}

void WorkerThread::submit(Job job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void WorkerThread::run() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
        // Dropped here rather than by the next wait, so what it held goes now.
        job = nullptr;
    }
}

}  // namespace ledgerly
