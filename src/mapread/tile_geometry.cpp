#include "mapread/tile_geometry.h"

#include <algorithm>
#include <utility>

#include "mapread/coord_bitstream.h"
#include "mapread/record_cursor.h"
#include "mapread/record_sink.h"
#include "mapread/rgn_extended_decoder.h"
#include "mapread/rgn_object_decoder.h"

namespace kestrel {
namespace {

// The index of the level to read in the levels table.
std::size_t levelFor(const TreLevels& tre, unsigned zoom) {
    std::size_t best = 0;
    for (std::size_t i = 0; i < tre.levels.size(); ++i) {
        const unsigned z = tre.levels[i].zoom, b = tre.levels[best].zoom;
        const bool fits = z <= zoom, bestFits = b <= zoom;
        if ((fits && (!bestFits || z > b)) || (!fits && !bestFits && z < b)) best = i;
    }
    return best;
}

std::int32_t signed16(const RecordCursor& c, std::int64_t i) {
    return static_cast<std::int16_t>(c.peek(i) | c.peek(i + 1) << 8);
}

// Decodes the coordinates of the records handed to it, of the subdivisions of one level.
class ShapeSink final : public RecordSink {
  public:
    ShapeSink(const SubfileView& rgn, const char* rgnName, std::size_t level, unsigned shift,
              const GeometryRequest& request, TileGeometry& out)
        : rgn_(rgn), rgnName_(rgnName), level_(level), shift_(shift), within_(request.within),
          maxPoints_(request.maxPoints), out_(out) {}

    bool wants(const Subdivision* s) const override {
        if (!s || s->level != level_ || full()) return false;
        if (!within_) return true;
        // Objects may reach past their subdivision: its box is taken twice as large.
        const std::int64_t w = std::int64_t{s->halfWidth} << (shift_ + 1);
        const std::int64_t h = std::int64_t{s->halfHeight} << (shift_ + 1);
        return s->centre.lon + w >= within_->west && s->centre.lon - w <= within_->east &&
               s->centre.lat + h >= within_->south && s->centre.lat - h <= within_->north;
    }

    void take(const RecordRun& run) override {
        for (const RgnRecord& r : run.records) shape(run, r);
    }

  private:
    bool full() const { return out_.points.size() >= maxPoints_; }

    void shape(const RecordRun& run, const RgnRecord& r) {
        if (full()) return;
        const RecordCursor c(rgn_, r.at, r.at + r.length);
        const std::int64_t lonAt = run.extended ? rgn::kExtLonDelta : rgn::kLonDelta;
        const std::int32_t lon0 = signed16(c, lonAt), lat0 = signed16(c, lonAt + 2);
        const MapPoint start = at(*run.owner, lon0, lat0);
        const auto first = static_cast<std::uint32_t>(out_.points.size());
        if (run.kind == ObjectKind::Point) {
            out_.points.push_back(start);
            out_.shapes[static_cast<std::size_t>(run.kind)].push_back({r.code, first, 1});
            return;
        }
        deltas_.clear();
        if (!bitstream(c, run.extended, r.length)) {
            damaged(r.at);
            return;
        }
        out_.points.push_back(start);
        std::int64_t lon = 0, lat = 0;
        for (const Delta& d : deltas_) {
            lon += d.lon;
            lat += d.lat;
            out_.points.push_back(at(*run.owner, lon + lon0, lat + lat0));
        }
        out_.shapes[static_cast<std::size_t>(run.kind)].push_back(
            {r.code, first, static_cast<std::uint32_t>(deltas_.size() + 1)});
        if (full()) out_.notes.push_back({DecodeStop::TooManyPoints, out_.name, rgnName_, -1});
    }

    MapPoint at(const Subdivision& s, std::int64_t lon, std::int64_t lat) const {
        // Map units wrap round the earth: a hostile delta wraps with them.
        return {static_cast<std::int32_t>(s.centre.lon + lon * (std::int64_t{1} << shift_)),
                static_cast<std::int32_t>(s.centre.lat + lat * (std::int64_t{1} << shift_))};
    }

    // Reads the record's bitstream into deltas_; false when it is out of place.
    bool bitstream(const RecordCursor& c, bool extended, std::int64_t length) {
        BitstreamForm form;
        std::int64_t info = 0;
        if (extended) {
            const VariableNumber length = c.variable(rgn::kExtFixedBytes);
            // The length counts the info byte and the bitstream.
            if (length.bytes == 0 || length.value == 0) return false;
            info = rgn::kExtFixedBytes + length.bytes;
            form.extended = true;
            return decode(c, info, info + length.value, form);
        }
        const bool two = c.peek(0) & rgn::kPolyTwoByteLength;
        info = rgn::kPolyFixedBytes + (two ? 2 : 1);
        const std::uint32_t label =
            c.peek(rgn::kLabel) | c.peek(rgn::kLabel + 1) << 8 | c.peek(rgn::kLabel + 2) << 16;
        form.extraBit = label & rgn::kPolyExtraBit;
        return decode(c, info, length, form);
    }

    bool decode(const RecordCursor& c, std::int64_t info, std::int64_t end, BitstreamForm form) {
        if (!c.has(end) || info >= end) return false;
        form.info = static_cast<std::uint8_t>(c.peek(info));
        bytes_.resize(static_cast<std::size_t>(end - info - 1));
        c.copy(info + 1, bytes_);
        return readDeltas(bytes_, form, deltas_);
    }

    void damaged(std::int64_t at) {
        if (out_.damagedShapes++ == 0)
            out_.notes.push_back(
                {DecodeStop::ShapeDamaged, out_.name, rgnName_, rgn_.fileOffset(at)});
    }

    const SubfileView& rgn_;
    const char* rgnName_;
    std::size_t level_;
    unsigned shift_;
    const std::optional<MapArea>& within_;
    std::size_t maxPoints_;
    TileGeometry& out_;
    std::vector<Delta> deltas_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace

void TileGeometry::readInto(const MapBuffer& buf, const ImgTile& tile,
                            const GeometryRequest& request, UiPort& ui, TileSections sections,
                            TileGeometry& g) {
    g.name = tile.name;
    const TileHeaders h = TileHeaders::of(buf, tile);
    // What the tile as a whole says, in its standard part only.
    const bool standard = sections != TileSections::Extended;
    const auto note = [&](const SubfileView& view, const char* subfile,
                          const std::optional<SubfileStop>& stop) {
        if (stop) g.notes.push_back({stop->why, g.name, subfile, view.fileOffset(stop->at)});
    };
    const TreLevels tre = TreLevels::read(h.tre, h.treHeader);
    g.area = tre.area;
    if (standard) note(h.tre, h.treName, tre.stop);
    if (!levelsUsable(tre)) return;
    const std::size_t level = levelFor(tre, request.zoom);
    const unsigned bits = tre.levels[level].bits;
    if (bits == 0 || bits > tre::kMaxBits) {
        if (standard) g.notes.push_back({DecodeStop::LevelsDamaged, g.name, h.treName, -1});
        return;
    }
    g.zoom = tre.levels[level].zoom;
    // Room held at once, as the lists would reach it by doubling, each copy touching new pages:
    // mkgmap's finest level holds about a point per four bytes of the RGN, and an object per 25.
    // Only the entries written take memory.
    const auto rgnBytes = static_cast<std::size_t>(std::max<std::int64_t>(h.rgn.size(), 0));
    g.points.reserve(std::min(request.maxPoints, rgnBytes / 4));
    for (auto& list : g.shapes) list.reserve(std::min(request.maxPoints, rgnBytes / 16));
    ShapeSink sink(h.rgn, h.rgnName, level, tre::kMaxBits - bits, request, g);
    if (standard)
        note(h.rgn, h.rgnName, RgnObjectDecoder(h.rgn, h.rgnHeader).decode(tre, sink, ui));
    if (sections == TileSections::Standard) return;
    const RgnExtendedDecoder extended(h.rgn, h.rgnHeader);
    for (ObjectKind kind : kKinds)
        if (!ui.stopflag()) note(h.rgn, h.rgnName, extended.decode(kind, tre, sink, ui));
}

TileGeometry TileGeometry::read(const MapBuffer& buf, const ImgTile& tile,
                                const GeometryRequest& request, UiPort& ui, TileSections sections) {
    TileGeometry g;
    readInto(buf, tile, request, ui, sections, g);
    return g;
}

void TileGeometry::join(TileGeometry& extended, const MapBuffer& buf, const ImgTile& tile,
                        const GeometryRequest& request, UiPort& ui) {
    // A stop ends a read after the standard sections.
    if (ui.stopflag()) {
        extended = TileGeometry();
        return;
    }
    if (points.size() + extended.points.size() >= request.maxPoints) {
        extended = TileGeometry();
        readInto(buf, tile, request, ui, TileSections::Extended, *this);
        return;
    }
    // Only the first damaged shape of the tile is named.
    for (DecodeNote& n : extended.notes)
        if (n.why != DecodeStop::ShapeDamaged || damagedShapes == 0) notes.push_back(std::move(n));
    extended.notes.clear();
    damagedShapes += std::exchange(extended.damagedShapes, 0);
}

} // namespace kestrel
