#include "mapdraw/spans.h"

#include <algorithm>
#include <cmath>

namespace kestrel::mapdraw {
namespace {

constexpr double kFar = 1e9;

} // namespace

draw::PointF tamed(draw::PointF p) {
    return {std::clamp(p.x, -kFar, kFar), std::clamp(p.y, -kFar, kFar)};
}

void SpanMaker::addEdge(draw::PointF a, draw::PointF b) {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return;
    a = tamed(a), b = tamed(b);
    if (a.y == b.y) return;
    if (a.y > b.y) std::swap(a, b);
    // Rows whose centres y + 0.5 lie in [a.y, b.y).
    const int first = static_cast<int>(std::max(0.0, std::ceil(a.y - 0.5)));
    const int last = static_cast<int>(std::min(double(height_ - 1), std::ceil(b.y - 0.5) - 1));
    if (first > last) return;
    // An edge wholly right of the picture starts no run in it; one wholly left of it only
    // changes the parity, as a vertical edge just outside does.
    if (a.x >= width_ && b.x >= width_) return;
    if (a.x < 0 && b.x < 0) {
        edges_.push_back({-1, a.y, 0, first, last});
        return;
    }
    edges_.push_back({a.x, a.y, (b.x - a.x) / (b.y - a.y), first, last});
}

void SpanMaker::addRun(int y, double from, double to) {
    const auto pixel = [this](double x) {
        return static_cast<int>(std::ceil(std::clamp(x, -1.0, width_ + 1.0) - 0.5));
    };
    const int x0 = std::max(0, pixel(from)), x1 = std::min(width_, pixel(to));
    if (x0 < x1) spans_.push_back({y, x0, x1});
}

const std::vector<Span>& SpanMaker::rings(std::span<const std::vector<draw::PointF>> rings) {
    spans_.clear();
    edges_.clear();
    for (const auto& ring : rings)
        for (std::size_t i = 0; ring.size() >= 3 && i < ring.size(); ++i)
            addEdge(ring[i], ring[(i + 1) % ring.size()]);
    if (edges_.empty()) return spans_;
    std::sort(edges_.begin(), edges_.end(),
              [](const Edge& a, const Edge& b) { return a.first < b.first; });
    active_.clear();
    std::size_t next = 0;
    for (int y = edges_.front().first; next < edges_.size() || !active_.empty(); ++y) {
        if (active_.empty()) y = std::max(y, edges_[next].first);
        for (; next < edges_.size() && edges_[next].first == y; ++next)
            active_.push_back(&edges_[next]);
        const double centre = y + 0.5;
        crossings_.clear();
        for (const Edge* e : active_) crossings_.push_back(e->x + (centre - e->y) * e->dxdy);
        std::sort(crossings_.begin(), crossings_.end());
        // Crossings right of the picture were left out: an odd count runs to its right side.
        for (std::size_t i = 0; i < crossings_.size(); i += 2)
            addRun(y, crossings_[i], i + 1 < crossings_.size() ? crossings_[i + 1] : width_ + 1.0);
        std::erase_if(active_, [y](const Edge* e) { return e->last <= y; });
    }
    return spans_;
}

const std::vector<Span>& SpanMaker::convex(std::span<const draw::PointF> corners) {
    spans_.clear();
    edges_.clear();
    for (std::size_t i = 0; i < corners.size(); ++i)
        addEdge(corners[i], corners[(i + 1) % corners.size()]);
    if (edges_.empty()) return spans_;
    int top = height_, bottom = -1;
    for (const Edge& e : edges_) top = std::min(top, e.first), bottom = std::max(bottom, e.last);
    for (int y = top; y <= bottom; ++y) {
        const double centre = y + 0.5;
        double from = 1e300, to = -1e300;
        int crossings = 0;
        for (const Edge& e : edges_)
            if (e.first <= y && y <= e.last) {
                const double x = e.x + (centre - e.y) * e.dxdy;
                from = std::min(from, x), to = std::max(to, x), ++crossings;
            }
        // One crossing: the other lies right of the picture, and was left out.
        if (crossings) addRun(y, from, crossings == 1 ? width_ + 1.0 : to);
    }
    return spans_;
}

const std::vector<Span>& SpanMaker::disc(draw::PointF centre, double radius) {
    spans_.clear();
    if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || !(radius > 0) || radius > kFar)
        return spans_;
    centre = tamed(centre);
    const int top = static_cast<int>(std::max(0.0, std::ceil(centre.y - radius - 0.5)));
    const int bottom = static_cast<int>(std::min(height_ - 1.0, centre.y + radius));
    for (int y = top; y <= bottom; ++y) {
        const double dy = y + 0.5 - centre.y, reach = radius * radius - dy * dy;
        if (reach < 0) continue;
        const double half = std::sqrt(reach);
        addRun(y, centre.x - half, centre.x + half);
    }
    return spans_;
}

} // namespace kestrel::mapdraw
