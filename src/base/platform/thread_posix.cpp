#include <atomic>
#include <memory>
#include <utility>

#include "base/platform/platform.h"

#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace kestrel::platform {

std::thread threadBeside(std::function<void()> work) {
#ifdef __linux__
    cpu_set_t all;
    const int here = sched_getcpu();
    if (here >= 0 && here < CPU_SETSIZE && sched_getaffinity(0, sizeof all, &all) == 0) {
        cpu_set_t others = all;
        CPU_CLR(here, &others);
        if (CPU_COUNT(&others) > 0) {
            // The thread waits until it is placed, so that its own widening comes last.
            auto placed = std::make_shared<std::atomic<bool>>(false);
            std::thread t([work = std::move(work), all, placed] {
                placed->wait(false);
                pthread_setaffinity_np(pthread_self(), sizeof all, &all);
                work();
            });
            pthread_setaffinity_np(t.native_handle(), sizeof others, &others);
            placed->store(true);
            placed->notify_one();
            return t;
        }
    }
#endif
    return std::thread(std::move(work));
}

} // namespace kestrel::platform
