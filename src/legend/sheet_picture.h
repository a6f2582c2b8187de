#pragma once
// The legend as one picture: a PNG or an SVG from the same drawing.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "legend/legend_sheet.h"

namespace kestrel::legend {

enum class PictureFormat : std::uint8_t { Png, Svg };
// The swatch columns: day and night side by side, or one of them (the desktop's day/night switch).
enum class Columns : std::uint8_t { DayAndNight, Day, Night };

// A PNG holds at most this many pixels each way (Cairo's image limit), and at most this many in
// all (a quarter of a gigabyte while it is drawn).
inline constexpr int kMaxPictureSide = 32767;
inline constexpr double kMaxPicturePixels = 64.0 * 1024 * 1024;

struct TooLargeForPicture {
    int width = 0, height = 0;
};

// The picture's bytes, titled `title`; refused when a PNG would exceed kMaxPictureSide.
std::variant<std::string, TooLargeForPicture> sheetPicture(const Sheet& sheet,
                                                           std::string_view title,
                                                           PictureFormat format,
                                                           Columns columns = Columns::DayAndNight);

} // namespace kestrel::legend
