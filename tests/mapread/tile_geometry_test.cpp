// The geometry reader on a map mkgmap built from a source with known coordinates: every object
// of the level asked for, each point within the rounding of its level's units; damaged bytes
// give notes and keep the other objects.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <utility>

#include "base/files.h"
#include "mapread/coord_bitstream.h"
#include "mapread/tile_geometry.h"
#include "support/fake_ui.h"
#include "support/joined_parts.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

const std::string kMap =
    (std::filesystem::path(fixtureDir()) / "maps" / "geometry" / "63240101.img").string();

std::int32_t units(double degrees) {
    return static_cast<std::int32_t>(std::lround(degrees * (1 << 24) / 360.0));
}

struct Expected {
    ObjectKind kind;
    std::uint32_t code;
    std::vector<std::pair<double, double>> points; // latitude, longitude as the source says
};

// The objects of geometry.mp at level 0 (the background polygon mkgmap adds aside).
const std::vector<Expected> kLevel0 = {
    {ObjectKind::Polygon, 0x0300, {{46.0, 7.0}, {46.01, 7.002}, {46.004, 7.015}, {45.998, 7.006}}},
    {ObjectKind::Polygon, 0x10D01, {{46.02, 7.01}, {46.026, 7.01}, {46.026, 7.018}}},
    {ObjectKind::Line,
     0x0100,
     {{46.001, 7.001}, {46.003, 7.005}, {46.002, 7.009}, {46.005, 7.012}, {45.999, 7.02}}},
    {ObjectKind::Line,
     0x0600,
     {{46.01, 7.0}, {46.011, 7.003}, {46.015, 7.004}, {46.016, 7.009}, {46.025, 7.011}}},
    {ObjectKind::Line, 0x10F04, {{46.029, 7.019}, {46.015, 7.001}}},
    {ObjectKind::Point, 0x2F06, {{46.005, 7.005}}},
    {ObjectKind::Point, 0x0600, {{46.015, 7.015}}},
    {ObjectKind::Point, 0x10B13, {{46.022, 7.003}}},
};

struct Read {
    std::string bytes;
    MapBuffer buf;
    TileGeometry geometry;
    explicit Read(std::string b, GeometryRequest request = {})
        : bytes(std::move(b)),
          buf(MapBuffer::view(
              {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()})) {
        FakeUi ui;
        const ImgDirectory dir = ImgDirectory::read(buf);
        if (!dir.tiles.empty()) geometry = TileGeometry::read(buf, dir.tiles[0], request, ui);
    }
    // The points of the first shape of the code, or nothing.
    std::vector<MapPoint> shape(ObjectKind kind, std::uint32_t code) const {
        for (const MapShape& s : geometry.list(kind))
            if (s.code == code)
                return {geometry.points.begin() + s.first,
                        geometry.points.begin() + s.first + s.count};
        return {};
    }
};

// Each point of `want` within `tolerance` map units of the decoded one, in order; a polygon's
// ring may start at another corner and run the other way (mkgmap turns rings clockwise).
void expectNear(const std::vector<MapPoint>& got, const Expected& want, std::int32_t tolerance) {
    ASSERT_EQ(got.size(), want.points.size());
    const std::size_t n = got.size();
    const auto near = [&](std::size_t start, bool reverse) {
        for (std::size_t i = 0; i < n; ++i) {
            const MapPoint p = got[(start + (reverse ? n - i : i)) % n];
            if (std::abs(p.lat - units(want.points[i].first)) > tolerance ||
                std::abs(p.lon - units(want.points[i].second)) > tolerance)
                return false;
        }
        return true;
    };
    bool found = near(0, false);
    for (std::size_t start = 0; want.kind == ObjectKind::Polygon && start < n; ++start)
        found = found || near(start, false) || near(start, true);
    EXPECT_TRUE(found);
}

TEST(TileGeometry, FinestLevelHoldsEveryObjectAtItsCoordinates) {
    const Read r(readFile(kMap).value());
    EXPECT_TRUE(r.geometry.notes.empty());
    EXPECT_EQ(r.geometry.zoom, 0u);
    for (const Expected& e : kLevel0) {
        SCOPED_TRACE(e.code);
        expectNear(r.shape(e.kind, e.code), e, 1);
    }
    EXPECT_EQ(r.geometry.list(ObjectKind::Line).size(), 3u);
    EXPECT_EQ(r.geometry.list(ObjectKind::Point).size(), 3u);
}

TEST(TileGeometry, CoarserLevelHoldsItsObjectsInItsUnits) {
    const Read r(readFile(kMap).value(), {1, std::nullopt});
    EXPECT_EQ(r.geometry.zoom, 1u);
    // Level 1 has 20 bits: units of 16; only the town reaches it, beside mkgmap's background.
    ASSERT_EQ(r.geometry.list(ObjectKind::Polygon).size(), 2u);
    EXPECT_EQ(r.geometry.list(ObjectKind::Polygon)[1].code, 0x4B00u);
    expectNear(r.shape(ObjectKind::Polygon, 0x0300), kLevel0[0], 16);
    EXPECT_TRUE(r.geometry.list(ObjectKind::Line).empty());
    EXPECT_TRUE(r.geometry.list(ObjectKind::Point).empty());
}

TEST(TileGeometry, OnlySubdivisionsReachingTheAreaAreRead) {
    const std::string bytes = readFile(kMap).value();
    const Read whole(bytes);
    EXPECT_EQ(Read(bytes, {0, whole.geometry.area}).geometry.points, whole.geometry.points);
    const MapArea away{units(10.1), units(10.1), units(10), units(10)};
    EXPECT_TRUE(Read(bytes, {0, away}).geometry.points.empty());
}

TEST(TileGeometry, DamagedBytesGiveNotesAndKeepTheOtherObjects) {
    const std::string bytes = readFile(kMap).value();
    const Read whole(bytes);
    const std::size_t rgn = bytes.find("GARMIN RGN") - 2;
    // Cut inside the subdivisions' records: a note, the objects before the cut kept.
    const Read cut(bytes.substr(0, rgn + 0x80));
    ASSERT_FALSE(cut.geometry.notes.empty());
    EXPECT_LT(cut.geometry.points.size(), whole.geometry.points.size());
    // Every byte after the RGN header flipped: whatever is read stays inside the file.
    std::string flipped = bytes;
    for (std::size_t i = rgn + 0x7D; i < flipped.size(); ++i)
        flipped[i] = static_cast<char>(~flipped[i]);
    const Read damaged(flipped);
    EXPECT_FALSE(damaged.geometry.notes.empty());
}

struct Bitstream {
    std::vector<std::uint8_t> bytes;
    BitstreamForm form;
    bool read;
    std::vector<std::pair<std::int64_t, std::int64_t>> deltas;
};

// The standard and the extended sections read apart and joined give what one read gives, the
// extended part's shapes taken after the standard part's: the same shapes in the same order,
// points, notes and damaged shapes, on damaged bytes and near the cap on points too (reached in
// the standard part, or only in the extended one).
TEST(TileGeometry, PartsReadApartJoinAsOneRead) {
    const std::string bytes = readFile(kMap).value();
    const std::size_t rgn = bytes.find("GARMIN RGN") - 2;
    std::string flipped = bytes;
    for (std::size_t i = rgn + 0x7D; i < flipped.size(); ++i)
        flipped[i] = static_cast<char>(~flipped[i]);
    const std::size_t all = Read(bytes).geometry.points.size();
    // One read of the sections given, or with `apart` the standard part joined by the extended.
    const auto read = [](const std::string& b, std::size_t maxPoints, TileSections sections,
                         bool apart) {
        const MapBuffer buf =
            MapBuffer::view({reinterpret_cast<const std::uint8_t*>(b.data()), b.size()});
        FakeUi ui;
        const ImgTile tile = ImgDirectory::read(buf).tiles.at(0);
        GeometryRequest request;
        request.maxPoints = maxPoints;
        TileGeometry g = TileGeometry::read(buf, tile, request, ui, sections);
        if (!apart) return g;
        TileGeometry extended = TileGeometry::read(buf, tile, request, ui, TileSections::Extended);
        g.join(extended, buf, tile, request, ui);
        return oneReadOf(std::move(g), extended);
    };
    const std::size_t standard = read(bytes, all, TileSections::Standard, false).points.size();
    ASSERT_LT(standard, all);
    const struct {
        const char* what;
        std::string bytes;
        std::size_t maxPoints;
    } cases[] = {
        {"whole", bytes, GeometryRequest().maxPoints},
        {"cut", bytes.substr(0, rgn + 0x80), GeometryRequest().maxPoints},
        {"flipped", flipped, GeometryRequest().maxPoints},
        {"cap reached in the standard part", bytes, standard},
        {"cap reached in the extended part", bytes, standard + 1},
        {"cap reached by the last shape", bytes, all},
    };
    for (const auto& c : cases) {
        const TileGeometry one = read(c.bytes, c.maxPoints, TileSections::All, false);
        const TileGeometry joined = read(c.bytes, c.maxPoints, TileSections::Standard, true);
        EXPECT_EQ(joined.points, one.points) << c.what;
        EXPECT_EQ(joined.shapes, one.shapes) << c.what;
        EXPECT_EQ(joined.notes, one.notes) << c.what;
        EXPECT_EQ(joined.damagedShapes, one.damagedShapes) << c.what;
    }
}

TEST(CoordBitstream, DeltasOfEveryForm) {
    const std::vector<Bitstream> table = {
        // Longitude with its own sign in 3 bits, the sign bit alone carrying 3 on (7 = 3 + 3 + 1,
        // -5 = -(3 + 2)); latitude positive in 2 bits; two padding bits.
        {{0x22, 0x23, 0x1D}, {0x00, false, false}, true, {{7, 2}, {-5, 1}}},
        // Extended: a bit after the sign bits. Longitude negative in 2 bits, latitude with its own
        // sign in 4; the zero pair in the padding is no point.
        {{0x73, 0x03}, {0x10, true, false}, true, {{-3, -3}}},
        // An extra bit for the first point and after each pair.
        {{0xB5, 0x01}, {0x00, false, true}, true, {{1, 3}}},
        // Longer than a word: longitude with its own sign in 3 bits, long deltas among them;
        // latitude negative in 2 bits.
        {{0x4E, 0x95, 0x0C, 0x64, 0x57, 0xFB, 0x90, 0xE4, 0x44, 0x9E, 0x8A, 0x85, 0x11},
         {0x00, false, false},
         true,
         {{1, -1},
          {-3, -2},
          {7, 0},
          {-9, -3},
          {2, -1},
          {3, -3},
          {-1, 0},
          {15, -2},
          {0, -1},
          {-2, -3},
          {5, -1},
          {-6, 0},
          {4, -2}}},
        {{}, {}, false, {}},
    };
    for (const Bitstream& b : table) {
        std::vector<Delta> out;
        EXPECT_EQ(readDeltas(b.bytes, b.form, out), b.read);
        std::vector<std::pair<std::int64_t, std::int64_t>> got;
        for (const Delta& d : out) got.emplace_back(d.lon, d.lat);
        EXPECT_EQ(got, b.deltas);
    }
}

} // namespace
} // namespace kestrel::test
