#include "mapdraw/map_frame.h"

#include <algorithm>

namespace kestrel::mapdraw {
namespace {

constexpr std::int64_t kTableSteps = 4096;

} // namespace

MapFrame::MapFrame(const MapArea& area, int width, int height) : width_(width), height_(height) {
    centreLon_ = (static_cast<double>(area.west) + area.east) / 2;
    const double north = mercator(area.north), south = mercator(area.south);
    centreY_ = (north + south) / 2;
    // An area of no size (a single point) gets a picture of some 100 metres.
    const double across = std::max<double>(area.east - area.west, 1) * kRadiansPerUnit;
    const double tall = std::max(north - south, kRadiansPerUnit);
    perRadian_ = std::min(width / std::max(across, 1e-5), height / std::max(tall, 1e-5));
    perUnit_ = perRadian_ * kRadiansPerUnit;
    // The table reaches half the view's height beyond it on each side.
    const std::int64_t top = latitudeAt(-height / 2.0), bottom = latitudeAt(height * 1.5);
    tableStep_ = std::max<std::int64_t>(1, (top - bottom) / kTableSteps);
    tableSouth_ = bottom;
    tableSpan_ = (top - bottom) / tableStep_ * tableStep_;
    for (std::int64_t at = bottom; at <= bottom + tableSpan_; at += tableStep_)
        table_.push_back(mercator(static_cast<std::int32_t>(at)));
}

std::int32_t MapFrame::latitudeAt(double y) const {
    const double merc = centreY_ + (height_ / 2.0 - y) / perRadian_;
    return static_cast<std::int32_t>(std::clamp(std::atan(std::sinh(merc)) / kRadiansPerUnit,
                                                -double(1 << 23), double(1 << 23)));
}

MapArea MapFrame::view() const {
    const double halfLon = width_ / 2.0 / perUnit_;
    const auto lon = [&](double v) {
        return static_cast<std::int32_t>(std::clamp(v, -double(1 << 24), double(1 << 24)));
    };
    return {latitudeAt(0), lon(centreLon_ + halfLon), latitudeAt(height_),
            lon(centreLon_ - halfLon)};
}

} // namespace kestrel::mapdraw
