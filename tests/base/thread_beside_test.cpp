// threadBeside on Linux: where the new thread starts, and where it may run afterwards.
#include <gtest/gtest.h>
#include <pthread.h>
#include <sched.h>

#include <atomic>
#include <thread>

#include "base/platform/platform.h"

namespace kestrel::test {
namespace {

TEST(ThreadBeside, StartsOnAnotherProcessorThenMayRunOnAll) {
    cpu_set_t all;
    ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
    if (CPU_COUNT(&all) < 2) GTEST_SKIP() << "one processor: nowhere else to start";
    // The thread is placed by the processor the caller runs on when it asks, which a busy caller
    // hardly ever leaves between two calls.
    const int here = sched_getcpu();
    std::atomic<int> started = -1;
    cpu_set_t later;
    CPU_ZERO(&later);
    std::thread t = platform::threadBeside([&] {
        pthread_getaffinity_np(pthread_self(), sizeof later, &later);
        started = sched_getcpu();
    });
    // Busy, as a caller that goes on with its own share is: a thread queued behind it would start
    // here only when it is preempted.
    while (started < 0) {
    }
    t.join();
    EXPECT_NE(started, here);
    EXPECT_TRUE(CPU_EQUAL(&later, &all));
}

} // namespace
} // namespace kestrel::test
