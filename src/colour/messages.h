#pragma once
// Texts the colour windows show.
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kColourSlotTitle = "Color";
inline constexpr std::string_view kPickerTitle = "Color Picker";
inline constexpr std::string_view kHexFieldLabel = "Hex (RRGGBB)";
// Shown instead of the magnified view where the desktop does not let programs read the screen
// (Wayland sessions, or no real screen at all).
inline constexpr std::string_view kCaptureRefused =
    "This desktop does not let programs read the screen, so colours cannot be picked here. "
    "On Wayland, start the program with QT_QPA_PLATFORM=xcb to pick colours.";

} // namespace kestrel
