#pragma once
// Every text the ground floor shows: the drive test's messages, and the button text that windows
// of several subsystems share. Kept together so tests compare them exactly.
#include <string>
#include <string_view>

namespace kestrel {

inline std::string driveMissing(std::string_view label) {
    return "Drive does not exist " + std::string(label);
}
inline std::string badFile(std::string_view path) {
    return "Bad File: " + std::string(path);
}
inline std::string driveUnavailable(std::string_view drive, std::string_view label) {
    return "Drive " + std::string(drive) + " not avalable \r\n\r\n" + std::string(label);
}

inline constexpr std::string_view kCancel = "Cancel";

} // namespace kestrel
