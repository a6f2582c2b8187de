#pragma once
// Every text the TYP text writer shows. Kept together so tests compare them exactly.
#include <string>
#include <string_view>

#include "base/text.h"

namespace kestrel::typmsg {

inline std::string invalidCodepage(std::string_view codepage) {
    return std::string(codepage) + " Invalid Codepage . Enter a value 1250 - 1258";
}
inline constexpr std::string_view kInvalidFid = "Invalid FID. (1 - 65000)";
inline constexpr std::string_view kDriveMissing = "Drive does not exist";
inline std::string cannotCreate(std::string_view typfile) {
    return "Cannot create:\r\n\r\n" + std::string(typfile);
}
inline constexpr std::string_view kNoteEditor = "Now click 'Edit Current File' icon.";
inline constexpr std::string_view kNoteNoEditor =
    "Cannot find Tinker.\r\n\r\nLocate in Settings then click 'Edit Current File' icon.";
// The opening quote has no closing partner: that is how the program has always said it.
inline std::string created(std::string_view typfile, std::string_view note) {
    return concat({"'", typfile, " has been created.\r\n\r\n", note});
}

} // namespace kestrel::typmsg
