#pragma once
// Every text the map reader shows to the user, exactly as shown.
#include <string_view>

namespace kestrel::msg {

inline constexpr std::string_view kNotAnImg = "This is not an img file.";
inline constexpr std::string_view kFileTooBig =
    "File size > 139 mb.\r\n\r\nFile needs to be split into separate imgs.\r\n\r\n"
    "Will try & retrieve essential data.";
inline constexpr std::string_view kNoInformation = "No information found.";
inline constexpr std::string_view kHighwaysHint = "Perhaps tick 'Default Highways+' option.";
inline constexpr std::string_view kNoFid = "Cannot find a FID";
inline constexpr std::string_view kMultipleTdb =
    "Folder contains multiple tdb files.\r\nCannot determine unique FID.";

// Why a map file gave nothing (after its name, as in "MAP: is a directory").
inline constexpr std::string_view kNoSuchFile = "no such file";
inline constexpr std::string_view kIsDirectory = "is a directory";
inline constexpr std::string_view kPermissionDenied = "permission denied";
inline constexpr std::string_view kNotRegularFile = "not a regular file";
inline constexpr std::string_view kNoMapData = "no Garmin map data in it";
inline constexpr std::string_view kNotMappable = "cannot be mapped into memory";

} // namespace kestrel::msg
