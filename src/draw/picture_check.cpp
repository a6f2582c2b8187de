#include "draw/picture_check.h"

#include <algorithm>
#include <cstddef>

namespace kestrel::draw {
namespace {

std::optional<PictureFault> patternFault(const typ::Pattern& p, std::uint8_t minRows,
                                         std::uint8_t maxRows) {
    if (p.rows < minRows || p.rows > maxRows ||
        p.pixels.size() != std::size_t{typ::kPatternWidth} * p.rows)
        return PictureFault::PatternShape;
    return std::nullopt;
}

} // namespace

std::optional<PictureFault> pictureFault(const typ::Image& image) {
    const std::size_t count = std::size_t{image.width} * image.height;
    if (count == 0) return PictureFault::EmptyImage;
    if (image.trueColour())
        return image.trueColourPixels.size() == count ? std::nullopt
                                                      : std::optional(PictureFault::ImageShape);
    if (image.indices.size() != count) return PictureFault::ImageShape;
    if (image.palette.size() > 255) return PictureFault::PaletteSize;
    // In OneTransparent mode the index just past the palette is the transparent pixel.
    const std::size_t limit =
        image.palette.size() + (image.mode == typ::ColourMode::OneTransparent ? 1 : 0);
    if (std::any_of(image.indices.begin(), image.indices.end(),
                    [&](std::uint8_t i) { return i >= limit; }))
        return PictureFault::PaletteIndex;
    return std::nullopt;
}

std::optional<PictureFault> pictureFault(const typ::Polygon& polygon) {
    if (!polygon.pattern) return std::nullopt;
    return patternFault(*polygon.pattern, typ::kPolygonPatternRows, typ::kPolygonPatternRows);
}

std::optional<PictureFault> pictureFault(const typ::Line& line) {
    if (!line.pattern) return std::nullopt;
    return patternFault(*line.pattern, 1, typ::kMaxLinePatternRows);
}

std::optional<PictureFault> pictureFault(const typ::Point& point) {
    if (const auto fault = pictureFault(point.day)) return fault;
    if (!point.night) return std::nullopt;
    if (point.night->width != point.day.width || point.night->height != point.day.height)
        return PictureFault::NightImageSize;
    return pictureFault(*point.night);
}

} // namespace kestrel::draw
