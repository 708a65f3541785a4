#include "LedgerlyCore/Platform/WorkerThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace ledgerly::testing {
namespace {

using namespace std::chrono_literals;

// A generous bound: reaching it means the job never ran.
constexpr auto jobLimit = 30s;

TEST(WorkerThread, RunsJobsInOrderAwayFromTheCallingThread) {
    WorkerThread worker;
    std::vector<int> order;
    std::promise<std::thread::id> ranOn;
    worker.submit([&] { order.push_back(1); });
    worker.submit([&] {
        order.push_back(2);
        ranOn.set_value(std::this_thread::get_id());
    });
    auto done = ranOn.get_future();
    ASSERT_EQ(std::future_status::ready, done.wait_for(jobLimit));
    EXPECT_NE(std::this_thread::get_id(), done.get());
    EXPECT_EQ((std::vector<int>{1, 2}), order);
}

TEST(WorkerThread, WhatAJobHoldsIsFreedOnTheWorkerRightAfterIt) {
    WorkerThread worker;
    auto held = std::make_shared<int>(7);
    std::weak_ptr<int> watched = held;
    std::promise<bool> freedBeforeNextJob;
    worker.submit([held = std::move(held)] {});
    worker.submit([&] { freedBeforeNextJob.set_value(watched.expired()); });
    auto freed = freedBeforeNextJob.get_future();
    ASSERT_EQ(std::future_status::ready, freed.wait_for(jobLimit));
    EXPECT_TRUE(freed.get());
}

TEST(WorkerThread, DestructionFinishesTheRunningJobAndDropsTheRest) {
    std::promise<void> started;
    std::promise<void> released;
    bool firstFinished = false;
    bool secondRan = false;
    {
        WorkerThread worker;
        worker.submit([&, done = released.get_future().share()] {
            started.set_value();
            done.wait();
            firstFinished = true;
        });
        // Only dropping the second job lets the first one finish.
        const std::shared_ptr<void> releaseWhenDropped(nullptr, [&](void*) { released.set_value(); });
        worker.submit([&, releaseWhenDropped] { secondRan = true; });
        ASSERT_EQ(std::future_status::ready, started.get_future().wait_for(jobLimit));
    }
    EXPECT_TRUE(firstFinished);
    EXPECT_FALSE(secondRan);
}

}  // namespace
}  // namespace ledgerly::testing
