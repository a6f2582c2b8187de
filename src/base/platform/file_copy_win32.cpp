// Copying between open files on Windows: through a buffer.
#include <cerrno>
#include <cstdio>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel::platform {

std::size_t readFileAt(std::FILE* file, std::uint64_t at, void* into, std::size_t n) {
    if (_fseeki64(file, static_cast<__int64>(at), SEEK_SET) != 0) return 0;
    return std::fread(into, 1, n, file);
}

bool appendFileBytes(std::FILE* from, std::uint64_t at, std::uint64_t n, std::FILE* to) {
    constexpr std::size_t kBuffer = std::size_t(1) << 20;
    std::vector<char> buffer(n < kBuffer ? static_cast<std::size_t>(n) : kBuffer);
    while (n > 0) {
        const std::size_t want = n < buffer.size() ? static_cast<std::size_t>(n) : buffer.size();
        errno = 0;
        const std::size_t got = readFileAt(from, at, buffer.data(), want);
        if (got == 0) {
            if (errno == 0) errno = EIO;
            return false;
        }
        if (std::fwrite(buffer.data(), 1, got, to) != got) return false;
        at += got;
        n -= got;
    }
    return true;
}

} // namespace kestrel::platform
