#pragma once
// The legend as one picture: a PNG or an SVG from the same drawing.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "draw/cairo_handles.h"
#include "legend/legend_sheet.h"

namespace kestrel::legend {

enum class PictureFormat : std::uint8_t { Png, Svg };
// The swatch columns: day and night side by side, or one of them (the desktop's day/night switch).
enum class Columns : std::uint8_t { DayAndNight, Day, Night };

// A PNG holds at most this many pixels each way (Cairo's image limit), and at most this many in
// all (a quarter of a gigabyte while it is drawn).
inline constexpr int kMaxPictureSide = 32767;
inline constexpr double kMaxPicturePixels = 64.0 * 1024 * 1024;

// The sheet drawn on an image surface of the format (a window shows it without a PNG between);
// refused beyond kMaxPictureSide or kMaxPicturePixels.
std::variant<draw::Surface, TooLargeForPicture>
sheetImage(const Sheet& sheet, std::string_view title, Columns columns, cairo_format_t format);
// The picture's bytes, titled `title`; refused when a PNG would exceed kMaxPictureSide.
std::variant<std::string, TooLargeForPicture> sheetPicture(const Sheet& sheet,
                                                           std::string_view title,
                                                           PictureFormat format,
                                                           Columns columns = Columns::DayAndNight);

} // namespace kestrel::legend
