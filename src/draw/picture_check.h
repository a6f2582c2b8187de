#pragma once
// Whether an element's pictures have the shape their sizes promise. The readers only make sound
// pictures, but a model may come from anywhere: the painter draws nothing of a misshapen picture,
// and the legend refuses a TYP that holds one, with the fault.
#include <cstdint>
#include <optional>

#include "typfile/elements.h"

namespace kestrel::draw {

enum class PictureFault : std::uint8_t {
    PatternShape,   // a pattern not 32 pixels wide, of the wrong number of rows or pixels
    EmptyImage,     // an icon of no pixels
    ImageShape,     // an icon whose pixels are not width x height
    PaletteSize,    // a palette of more than 255 colours
    PaletteIndex,   // a pixel naming a colour past the palette
    NightImageSize, // a night icon not of the day icon's size
};

std::optional<PictureFault> pictureFault(const typ::Polygon& polygon);
std::optional<PictureFault> pictureFault(const typ::Line& line);
std::optional<PictureFault> pictureFault(const typ::Point& point);
std::optional<PictureFault> pictureFault(const typ::Image& image);

} // namespace kestrel::draw
