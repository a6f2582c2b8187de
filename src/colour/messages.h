#pragma once
// Texts the colour windows show.
#include <string_view>

namespace kestrel {

inline constexpr std::string_view kColourSlotTitle = "Color";
inline constexpr std::string_view kPickerTitle = "Color Picker";
// Shown instead of the magnified view where the desktop does not let programs read the screen.
inline constexpr std::string_view kCaptureRefused =
    "This desktop does not allow reading the screen (Wayland). Start the program in an X11 "
    "session, or with QT_QPA_PLATFORM=xcb, to pick colours from the screen.";

} // namespace kestrel
