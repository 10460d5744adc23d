#include "platform/WorkerStage.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>

using namespace vm;

TEST(WorkerStage, WorksOnEveryItemInOrderAcrossBatchesAndAWaitingProducer) {
    std::vector<int> seen;
    std::thread::id workerThread;
    {
        // Small batches and a queue of two: the producer must wait for the worker.
        WorkerStage<int> stage(
            [&](int& n) {
                workerThread = std::this_thread::get_id();
                seen.push_back(n);
            },
            7, 2);
        for (int n = 0; n < 1000; ++n)
            stage.push(n);
        stage.finish();
        ASSERT_EQ(seen.size(), 1000u); // finish() waited for the last, partly filled batch
        stage.push(1000);              // the stage goes on after a finish
        stage.finish();
    }
    ASSERT_EQ(seen.size(), 1001u);
    for (int n = 0; n <= 1000; ++n)
        ASSERT_EQ(seen[size_t(n)], n);
    EXPECT_NE(workerThread, std::this_thread::get_id());
}

TEST(WorkerStage, AFailureComesBackToTheProducerAndStopsTheWork) {
    std::atomic<int> worked{0};
    WorkerStage<int> stage(
        [&](int& n) {
            if (n == 50) throw std::runtime_error("disk full");
            ++worked;
        },
        10, 2);
    bool thrown = false;
    try {
        for (int n = 0; n < 100000; ++n)
            stage.push(n);
        stage.finish();
    } catch (const std::runtime_error& e) {
        thrown = true;
        EXPECT_STREQ(e.what(), "disk full");
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(worked.load(), 50); // nothing after the failing item
    EXPECT_THROW(stage.finish(), std::runtime_error);
}

TEST(WorkerStage, LeavingWithoutFinishDropsTheRestAndJoins) {
    std::atomic<int> worked{0};
    const auto start = std::chrono::steady_clock::now();
    {
        WorkerStage<int> stage(
            [&](int&) {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
                ++worked;
            },
            1, 1000);
        for (int n = 0; n < 500; ++n)
            stage.push(n);
    } // a producer that failed itself leaves without finish()
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(worked.load(), 500);
    EXPECT_LT(took, std::chrono::milliseconds(500)); // not the whole second of work
}
