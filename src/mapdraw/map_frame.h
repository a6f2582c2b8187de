#pragma once
// Where a map area lies in a picture: the area fitted into the picture, centred, in the Mercator
// projection that map viewers use, so that shapes keep their proportions at any latitude.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "draw/looks.h"
#include "mapread/tre_levels.h"

namespace kestrel::mapdraw {

class MapFrame {
  public:
    MapFrame(const MapArea& area, int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }
    // The pixel of a point in map units (outside the picture for points outside the view).
    draw::PointF pixel(MapPoint p) const {
        return {width_ / 2.0 + (p.lon - centreLon_) * perUnit_,
                height_ / 2.0 - (projected(p.lat) - centreY_) * perRadian_};
    }
    // The area the whole picture shows.
    MapArea view() const;

  private:
    static double mercator(std::int32_t lat) {
        constexpr double kPi = 3.14159265358979323846;
        const double phi = std::clamp(lat * kRadiansPerUnit, -1.5, 1.5);
        return std::log(std::tan(kPi / 4 + phi / 2));
    }
    std::int32_t latitudeAt(double y) const;
    // The projection of a latitude; near the view taken from a table of it, in steps so fine
    // that the straight line between two is within a millionth of a pixel of the curve (a
    // logarithm and a tangent per point cost more than the drawing of it).
    double projected(std::int32_t lat) const {
        const std::int64_t from = std::int64_t{lat} - tableSouth_;
        if (from < 0 || from >= tableSpan_) return mercator(lat);
        const std::int64_t i = from / tableStep_;
        const double part = static_cast<double>(from - i * tableStep_) / tableStep_;
        const auto k = static_cast<std::size_t>(i);
        return table_[k] + (table_[k + 1] - table_[k]) * part;
    }

    static constexpr double kRadiansPerUnit = 3.14159265358979323846 * 2 / (1 << 24);
    int width_, height_;
    double centreLon_ = 0, centreY_ = 0;
    double perRadian_ = 1, perUnit_ = 1; // pixels per radian of the projection, per map unit
    std::int64_t tableSouth_ = 0, tableSpan_ = 0, tableStep_ = 1; // map units
    std::vector<double> table_;
};

} // namespace kestrel::mapdraw
