#include "mapdraw/spans.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace kestrel::mapdraw {
namespace {

constexpr double kFar = 1e9;

} // namespace

draw::PointF tamed(draw::PointF p) {
    return {std::clamp(p.x, -kFar, kFar), std::clamp(p.y, -kFar, kFar)};
}

std::optional<SpanMaker::Edge> SpanMaker::edge(draw::PointF a, draw::PointF b) const {
    if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(b.x) || !std::isfinite(b.y))
        return std::nullopt;
    a = tamed(a), b = tamed(b);
    if (a.y == b.y) return std::nullopt;
    if (a.y > b.y) std::swap(a, b);
    // Rows whose centres y + 0.5 lie in [a.y, b.y).
    const int first = rowFrom(a.y), last = rowFrom(b.y) - 1;
    if (first > last) return std::nullopt;
    // An edge wholly right of the picture starts no run in it; one wholly left of it only
    // changes the parity, as a vertical edge just outside does.
    if (a.x >= width_ && b.x >= width_) return std::nullopt;
    if (a.x < 0 && b.x < 0) return Edge{-1, a.y, 0, first, last};
    return Edge{a.x, a.y, (b.x - a.x) / (b.y - a.y), first, last};
}

void SpanMaker::addRun(int y, double from, double to) {
    const int x0 = pixelFrom(from, width_), x1 = pixelFrom(to, width_);
    if (x0 < x1) spans_.push_back({y, x0, x1});
}

const std::vector<Span>& SpanMaker::rings(std::span<const std::vector<draw::PointF>> rings) {
    spans_.clear();
    edges_.clear();
    for (const auto& ring : rings)
        for (std::size_t i = 0; ring.size() >= 3 && i < ring.size(); ++i)
            if (const auto e = edge(ring[i], ring[(i + 1) % ring.size()])) edges_.push_back(*e);
    if (edges_.empty()) return spans_;
    std::sort(edges_.begin(), edges_.end(),
              [](const Edge& a, const Edge& b) { return a.first < b.first; });
    active_.clear();
    std::size_t next = 0;
    for (int y = edges_.front().first; next < edges_.size() || !active_.empty(); ++y) {
        if (active_.empty()) y = std::max(y, edges_[next].first);
        for (; next < edges_.size() && edges_[next].first == y; ++next)
            active_.push_back({0, edges_[next]});
        const double centre = y + 0.5;
        bool ending = false;
        for (Crossing& c : active_) {
            c.x = c.edge.x + (centre - c.edge.y) * c.edge.dxdy;
            ending |= c.edge.last <= y;
        }
        // The order of the row above holds but where edges crossed or began: an insertion sort
        // has little to do. The crossing it moves is held aside while the ones past it shift
        // along (swapped step by step, it was stored and loaded again at every step).
        for (std::size_t i = 1; i < active_.size(); ++i) {
            if (!(active_[i].x < active_[i - 1].x)) continue;
            const Crossing moved = active_[i];
            std::size_t j = i;
            for (; j > 0 && moved.x < active_[j - 1].x; --j) active_[j] = active_[j - 1];
            active_[j] = moved;
        }
        // Crossings right of the picture were left out: an odd count runs to its right side.
        for (std::size_t i = 0; i < active_.size(); i += 2)
            addRun(y, active_[i].x, i + 1 < active_.size() ? active_[i + 1].x : width_ + 1.0);
        if (ending) std::erase_if(active_, [y](const Crossing& c) { return c.edge.last <= y; });
    }
    return spans_;
}

const std::vector<Span>& SpanMaker::quad(const draw::PointF (&corners)[4]) {
    spans_.clear();
    Edge edges[4];
    int n = 0, top = rows_.bottom, bottom = -1;
    for (int i = 0; i < 4; ++i)
        if (const auto e = edge(corners[i], corners[(i + 1) % 4])) {
            edges[n++] = *e;
            top = std::min(top, e->first), bottom = std::max(bottom, e->last);
        }
    for (int y = top; y <= bottom; ++y) {
        const double centre = y + 0.5;
        double from = 1e300, to = -1e300;
        int crossings = 0;
        for (int i = 0; i < n; ++i)
            if (edges[i].first <= y && y <= edges[i].last) {
                const double x = edges[i].x + (centre - edges[i].y) * edges[i].dxdy;
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
    const int top = rowFrom(centre.y - radius), end = rowFrom(centre.y + radius);
    for (int y = top; y < end; ++y) {
        const double dy = y + 0.5 - centre.y, reach = radius * radius - dy * dy;
        if (reach < 0) continue;
        const double half = std::sqrt(reach);
        addRun(y, centre.x - half, centre.x + half);
    }
    return spans_;
}

} // namespace kestrel::mapdraw
