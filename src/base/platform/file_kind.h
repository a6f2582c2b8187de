#pragma once
// What a path names, learnt before anything is read from it: only regular files are worth
// opening, and opening a FIFO blocks while reading a device may never end.
// file_kind_posix.cpp serves Linux and macOS, file_kind_win32.cpp Windows.
#include <cstdint>
#include <string>

namespace kestrel::platform {

enum class FileKind {
    Regular,   // a regular file that may be opened for reading
    Directory, // a folder
    Other,     // a FIFO, a device, a socket, or anything else that is not a regular file
    Missing,   // no such file
    Denied,    // the file, or a folder on its way, may not be read
    Failed,    // any other error; the system's text says which
};

struct FileCheck {
    FileKind kind = FileKind::Failed;
    std::string systemText; // for Failed: the system's description of the error
    std::uint64_t size = 0; // for Regular: the size when checked
};

// Looks at the path (following links) without opening anything but a regular file; a regular
// file is opened for reading and closed again, so that a denied read shows here.
FileCheck fileKind(const std::string& path);

} // namespace kestrel::platform
