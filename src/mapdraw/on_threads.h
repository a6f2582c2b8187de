#pragma once
// Work shared out to helper threads started beside this one.
#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel::mapdraw {

// Runs each(k) for k from 1 to n - 1 on threads of their own, started beside this one, and each(0)
// on this one, then waits for them all. A k no thread can be had for runs here instead.
template <class Each> void onThreads(int n, const Each& each) {
    std::vector<std::thread> others;
    for (int k = 1; k < n; ++k) {
        try {
            others.push_back(platform::threadBeside([&each, k] { each(k); }));
        } catch (const std::system_error&) {
            each(k);
        }
    }
    each(0);
    for (std::thread& t : others) t.join();
}

// Runs work(i, k) for every i below n on up to `threads` threads, k counting them from 0, each
// taking the next i when it is free; false when one of them returned false or ran out of memory.
template <class Work> bool onThreadsEach(int n, int threads, const Work& work) {
    std::atomic<int> next = 0;
    std::atomic<bool> sound = true;
    onThreads(std::clamp(threads, 1, std::max(1, n)), [&](int k) {
        try {
            for (int i = next++; i < n && sound; i = next++)
                if (!work(i, k)) sound = false;
        } catch (const std::bad_alloc&) {
            sound = false;
        }
    });
    return sound;
}

} // namespace kestrel::mapdraw
