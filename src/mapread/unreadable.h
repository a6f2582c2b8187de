#pragma once
// Why a map file gave nothing to read, as a value; `describe` makes its text, for the command
// line and the desktop program alike.
#include <optional>
#include <string>

namespace kestrel {

enum class UnreadableReason {
    NoSuchFile,
    Directory,
    PermissionDenied,
    NotRegularFile, // a FIFO, a device, a socket: never opened
    NoMapData,      // empty, or without the RGN and TRE headers that a map's types are read from
    SystemError,    // anything else; the system's text says what
};

struct Unreadable {
    UnreadableReason reason = UnreadableReason::SystemError;
    std::string systemText; // for SystemError

    bool operator==(const Unreadable&) const = default;
};

// A file of a batch that gave nothing, and why.
struct UnreadableMap {
    std::string path;
    Unreadable why;

    bool operator==(const UnreadableMap&) const = default;
};

// "no such file", "is a directory", "permission denied", "not a regular file", "no Garmin map
// data in it", or the system's text.
std::string describe(const Unreadable& why);

// Why the path cannot be read as a map before anything is read from it; nothing when it is a
// regular file with bytes in it that we may read.
std::optional<Unreadable> checkMapFile(const std::string& path);

} // namespace kestrel
