// Copying between open files on Linux and macOS.
#include <cerrno>
#include <unistd.h>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel::platform {
namespace {

constexpr std::size_t kBuffer = std::size_t(1) << 20;

bool writeAll(int fd, const char* p, std::size_t n) {
    while (n > 0) {
        const ssize_t w = ::write(fd, p, n);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        p += w;
        n -= static_cast<std::size_t>(w);
    }
    return true;
}

bool copyThroughBuffer(int in, std::uint64_t at, std::uint64_t n, int out) {
    std::vector<char> buffer(n < kBuffer ? static_cast<std::size_t>(n) : kBuffer);
    while (n > 0) {
        const std::size_t want = n < buffer.size() ? static_cast<std::size_t>(n) : buffer.size();
        const ssize_t r = ::pread(in, buffer.data(), want, static_cast<off_t>(at));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) {
            if (r == 0) errno = EIO;
            return false;
        }
        if (!writeAll(out, buffer.data(), static_cast<std::size_t>(r))) return false;
        at += static_cast<std::uint64_t>(r);
        n -= static_cast<std::uint64_t>(r);
    }
    return true;
}

} // namespace

std::size_t readFileAt(std::FILE* file, std::uint64_t at, void* into, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::pread(fileno(file), static_cast<char*>(into) + done, n - done,
                                  static_cast<off_t>(at + done));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) break;
        done += static_cast<std::size_t>(r);
    }
    return done;
}

bool appendFileBytes(std::FILE* from, std::uint64_t at, std::uint64_t n, std::FILE* to) {
    const int in = fileno(from), out = fileno(to);
#if defined(__linux__)
    auto offset = static_cast<off_t>(at);
    while (n > 0) {
        const ssize_t r = ::copy_file_range(in, &offset, out, nullptr, n, 0);
        if (r < 0 && errno == EINTR) continue;
        if (r < 0 && offset == static_cast<off_t>(at) &&
            (errno == ENOSYS || errno == EXDEV || errno == EINVAL || errno == EOPNOTSUPP))
            break; // this pair of files cannot be copied inside the system: use a buffer
        if (r <= 0) {
            if (r == 0) errno = EIO;
            return false;
        }
        n -= static_cast<std::uint64_t>(r);
    }
    at = static_cast<std::uint64_t>(offset);
#endif
    return n == 0 || copyThroughBuffer(in, at, n, out);
}

} // namespace kestrel::platform
