// What a path names, on Linux and macOS.
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "base/platform/file_kind.h"

namespace kestrel::platform {
namespace {

FileCheck fromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return {FileKind::Missing, {}, 0};
    case EACCES:
    case EPERM:
        return {FileKind::Denied, {}, 0};
    default:
        return {FileKind::Failed, std::generic_category().message(error), 0};
    }
}

} // namespace

FileCheck fileKind(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) return fromErrno(errno);
    if (S_ISDIR(st.st_mode)) return {FileKind::Directory, {}, 0};
    if (!S_ISREG(st.st_mode)) return {FileKind::Other, {}, 0};
    // Should the path have become a FIFO since, O_NONBLOCK keeps the open from waiting for a
    // writer.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return fromErrno(errno);
    ::close(fd);
    return {FileKind::Regular, {}, static_cast<std::uint64_t>(st.st_size)};
}

} // namespace kestrel::platform
