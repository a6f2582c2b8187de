// Mapped files on Linux and macOS.
//
// A mapped file that shrinks while it is mapped (another program rewrites it) raises SIGBUS at the
// first touch of a page past its new end, which would end the program. A handler, installed with
// the first mapping, answers such a fault inside one of our mappings by laying zero pages over
// the rest of that mapping, so the file reads as zeros past its new end. Faults anywhere else go
// on to the handler that was there before, or to the default action.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <fcntl.h>
#include <mutex>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/platform/platform.h"

namespace kestrel::platform {
namespace {

// The live mappings, where the signal handler can find them without locks. More mappings than
// slots at once are simply not guarded.
struct GuardedRange {
    std::atomic<std::uintptr_t> begin{0};
    std::atomic<std::uintptr_t> end{0};
};
constexpr std::size_t kGuardSlots = 16;
GuardedRange g_guarded[kGuardSlots];
std::mutex g_slotsMutex; // serialises the writers; the handler only reads
struct sigaction g_previous {};
std::uintptr_t g_pageSize = 4096;

void onBusError(int signal, siginfo_t* info, void* context) {
    const auto at = reinterpret_cast<std::uintptr_t>(info->si_addr);
    for (const GuardedRange& r : g_guarded) {
        const std::uintptr_t begin = r.begin.load(std::memory_order_acquire);
        const std::uintptr_t end = r.end.load(std::memory_order_acquire);
        if (begin == 0 || at < begin || at >= end) continue;
        const std::uintptr_t page = at & ~(g_pageSize - 1);
        if (mmap(reinterpret_cast<void*>(page), end - page, PROT_READ,
                 MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) != MAP_FAILED)
            return; // the read is made again and finds zeros
    }
    if ((g_previous.sa_flags & SA_SIGINFO) && g_previous.sa_sigaction) {
        g_previous.sa_sigaction(signal, info, context);
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
    } else {
        // The fault repeats on return and takes the default action.
        sigaction(SIGBUS, &g_previous, nullptr);
    }
}

void installGuard() {
    static std::once_flag once;
    std::call_once(once, [] {
        g_pageSize = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
        struct sigaction act {};
        act.sa_sigaction = onBusError;
        act.sa_flags = SA_SIGINFO | SA_NODEFER;
        sigemptyset(&act.sa_mask);
        sigaction(SIGBUS, &act, &g_previous);
    });
}

void guard(const std::uint8_t* data, std::size_t size) {
    installGuard();
    const std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (GuardedRange& r : g_guarded) {
        if (r.begin.load(std::memory_order_relaxed) != 0) continue;
        r.end.store(reinterpret_cast<std::uintptr_t>(data) + size, std::memory_order_release);
        r.begin.store(reinterpret_cast<std::uintptr_t>(data), std::memory_order_release);
        return;
    }
}

void unguard(const std::uint8_t* data) {
    const std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (GuardedRange& r : g_guarded)
        if (r.begin.load(std::memory_order_relaxed) == reinterpret_cast<std::uintptr_t>(data)) {
            r.begin.store(0, std::memory_order_release);
            r.end.store(0, std::memory_order_release);
        }
}

} // namespace

namespace {

std::size_t largeSize(std::size_t n) {
    return n >= kLargePage ? (n + kLargePage - 1) / kLargePage * kLargePage : n;
}

} // namespace

std::uint8_t* allocateLarge(std::size_t n, bool touch) {
    if (n == 0 || n > SIZE_MAX / 2) return nullptr;
    // Whole large pages from a large page's boundary on: a part of one at either end would be
    // ordinary pages, each faulted in on its own.
    const std::size_t size = largeSize(n), slack = size >= kLargePage ? kLargePage : 0;
    void* m =
        mmap(nullptr, size + slack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (m == MAP_FAILED) return nullptr;
    auto* begin = static_cast<std::uint8_t*>(m);
    std::uint8_t* aligned = begin;
    if (slack) {
        const std::size_t head =
            (kLargePage - reinterpret_cast<std::uintptr_t>(begin) % kLargePage) % kLargePage;
        aligned = begin + head;
        if (head) munmap(begin, head);
        if (slack > head) munmap(aligned + size, slack - head);
#ifdef MADV_HUGEPAGE
        madvise(aligned, size, MADV_HUGEPAGE);
#endif
    }
#ifdef MADV_POPULATE_WRITE
    // Where the system does not know the call, the pages come at first touch.
    if (touch) madvise(aligned, size, MADV_POPULATE_WRITE);
#else
    (void)touch;
#endif
    return aligned;
}

void freeLarge(std::uint8_t* p, std::size_t n) {
    if (p) munmap(p, largeSize(n));
}

LargeBuffer::LargeBuffer(std::size_t size, bool touch) : data_(allocateLarge(size, touch)) {
    if (data_) size_ = largeSize(size);
}

void LargeBuffer::release() {
    freeLarge(data_, size_);
    data_ = nullptr;
    size_ = 0;
}

std::optional<MappedFile> MappedFile::open(const std::string& path) {
    // O_NONBLOCK: should the path name a FIFO after all, the open must not wait for a writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
        // The length is fixed here: the file may grow or shrink afterwards without effect.
        const auto len = static_cast<std::size_t>(st.st_size);
        void* m = mmap(nullptr, len, PROT_READ, MAP_PRIVATE, fd, 0);
        if (m != MAP_FAILED) {
            MappedFile mapped(static_cast<const std::uint8_t*>(m), len, fd);
            guard(mapped.data_, len);
            return mapped;
        }
    }
    close(fd);
    return std::nullopt;
}

std::size_t MappedFile::copy(std::size_t offset, std::span<std::uint8_t> into) const {
    if (offset >= size_) return 0;
    const std::size_t n = std::min(into.size(), size_ - offset);
    for (;;) {
        const ssize_t got =
            pread(static_cast<int>(file_), into.data(), n, static_cast<off_t>(offset));
        if (got >= 0) return static_cast<std::size_t>(got);
        if (errno != EINTR) return 0;
    }
}

void MappedFile::forget(std::size_t offset, std::size_t n) const {
    if (offset >= size_) return;
    const auto first = reinterpret_cast<std::uintptr_t>(data_ + offset);
    const auto last =
        reinterpret_cast<std::uintptr_t>(data_ + offset + std::min(n, size_ - offset));
    const std::uintptr_t begin = (first + g_pageSize - 1) & ~(g_pageSize - 1);
    const std::uintptr_t end = last & ~(g_pageSize - 1);
    if (begin < end) madvise(reinterpret_cast<void*>(begin), end - begin, MADV_DONTNEED);
}

void MappedFile::release() {
    if (data_) {
        unguard(data_);
        munmap(const_cast<std::uint8_t*>(data_), size_);
    }
    if (file_ != kNoFile) close(static_cast<int>(file_));
    data_ = nullptr;
    size_ = 0;
    file_ = kNoFile;
}

} // namespace kestrel::platform
