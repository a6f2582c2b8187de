// The map picture, checked by what it shows: the colour at the pixels of known places of a map
// mkgmap built, drawn with the TYP compiled for it, with none, and with a draw order that leaves a
// polygon out.
#include <gtest/gtest.h>

#include <cairo.h>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <tuple>

#include "base/files.h"
#include "draw/cairo_handles.h"
#include "mapdraw/map_frame.h"
#include "mapdraw/map_picture.h"
#include "mapdraw/png_bytes.h"
#include "mapread/img_directory.h"
#include "support/fake_ui.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "typfile/binary_reader.h"

namespace kestrel::test {
namespace {

const std::filesystem::path kWithTyp = std::filesystem::path(fixtureDir()) / "maps" / "with_typ";

std::int32_t units(double degrees) {
    return static_cast<std::int32_t>(std::lround(degrees * (1 << 24) / 360.0));
}

// A place of tile_a.mp and the colour the picture shows there.
struct Place {
    const char* what;
    double lat, lon;
    std::uint32_t rgb;
};

// The PNG's pixels.
draw::Surface decoded(std::string_view png) {
    std::pair<std::string_view, std::size_t> source{png, 0};
    const auto next = [](void* from, unsigned char* data, unsigned int n) {
        auto* at = static_cast<std::pair<std::string_view, std::size_t>*>(from);
        if (at->second + n > at->first.size()) return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, at->first.data() + at->second, n);
        at->second += n;
        return CAIRO_STATUS_SUCCESS;
    };
    return draw::Surface(cairo_image_surface_create_from_png_stream(next, &source));
}

class MapPictureTest : public ::testing::Test {
  protected:
    MapPictureTest() : bytes_(readFile((kWithTyp / "gmapsupp.img").string()).value()) {
        buf_ =
            MapBuffer::view({reinterpret_cast<const std::uint8_t*>(bytes_.data()), bytes_.size()});
        const ImgDirectory dir = ImgDirectory::read(buf_);
        const TileHeaders h = TileHeaders::of(buf_, dir.tiles.at(0));
        area_ = TreLevels::read(h.tre, h.treHeader).area;
        typ_ = typ::readBinary(readFile((kWithTyp / "style_red.typ").string()).value()).typ;
    }

    // The colour at each place of the PNG, drawn at width x height.
    void expectColours(std::string_view png, int width, int height,
                       const std::vector<Place>& places) const {
        const draw::Surface s = decoded(png);
        ASSERT_EQ(cairo_image_surface_get_width(s.get()), width);
        const mapdraw::MapFrame frame(area_, width, height);
        for (const Place& p : places) {
            const draw::PointF at = frame.pixel({units(p.lon), units(p.lat)});
            const int x = static_cast<int>(at.x), y = static_cast<int>(at.y);
            std::uint32_t v;
            std::memcpy(&v,
                        cairo_image_surface_get_data(s.get()) +
                            y * cairo_image_surface_get_stride(s.get()) + 4 * x,
                        4);
            EXPECT_EQ(v & 0xFFFFFF, p.rgb) << p.what << " at " << x << "," << y;
        }
    }
    void expectColours(const typ::TypFile* typ, int width, int height,
                       const std::vector<Place>& places) {
        FakeUi ui;
        const mapdraw::MapPictureResult r =
            mapdraw::drawMap(buf_, typ, {0, width, height, false}, ui);
        ASSERT_FALSE(r.fault);
        EXPECT_TRUE(r.notes.empty());
        expectColours(r.png, width, height, places);
    }

    std::string bytes_;
    MapBuffer buf_;
    MapArea area_;
    typ::TypFile typ_;
};

TEST_F(MapPictureTest, TypColoursAtTheirPlaces) {
    expectColours(&typ_, 400, 400,
                  {{"town 0x03", 47.002, 8.012, 0xE02020},
                   {"0x18 over the background", 47.0125, 8.003, 0xA000C0},
                   {"background 0x4B", 47.0135, 8.012, 0xFFF0C0},
                   {"line 0x05 over the town", 47.003, 8.0045, 0xFF8000},
                   {"unstyled POI 0x2E00: the plain mark", 47.003, 8.003, 0x404040}});
}

TEST_F(MapPictureTest, WithoutATypEveryTypeIsPlain) {
    expectColours(
        nullptr, 400, 400,
        {{"town 0x03", 47.002, 8.012, 0xD0D0D0}, {"unstyled POI 0x2E00", 47.003, 8.003, 0x404040}});
}

TEST_F(MapPictureTest, APolygonTheDrawOrderLeavesOutIsNotDrawn) {
    for (auto& level : typ_.drawOrder.levels) std::erase(level, typ::DrawOrderEntry{0x03, 0});
    expectColours(&typ_, 400, 400, {{"background where the town is", 47.002, 8.012, 0xFFF0C0}});
}

// Polygons of one draw level are drawn in the order the map holds them, the later ones on top:
// mkgmap writes a tile's polygons by type, its background 0x4B after 0x18.
TEST_F(MapPictureTest, PolygonsOfOneLevelInTheMapsOrder) {
    std::size_t background = 0;
    for (std::size_t level = 0; level < typ_.drawOrder.levels.size(); ++level) {
        auto& entries = typ_.drawOrder.levels[level];
        std::erase(entries, typ::DrawOrderEntry{0x18, 0});
        if (std::find(entries.begin(), entries.end(), typ::DrawOrderEntry{0x4B, 0}) !=
            entries.end())
            background = level;
    }
    typ_.drawOrder.levels[background].push_back({0x18, 0});
    expectColours(&typ_, 400, 400, {{"the background over 0x18", 47.0125, 8.003, 0xFFF0C0}});
}

TEST_F(MapPictureTest, BeyondTheTileIsWhite) {
    // The tile is taller than wide: a square picture has white on its sides.
    expectColours(&typ_, 400, 400, {{"west of the tile", 47.005, 7.9995, 0xFFFFFF}});
}

// The command takes its styles from the TYP named, in any form, else from the map.
TEST_F(MapPictureTest, CommandDrawsWithTheTypGivenElseTheMapsOwn) {
    const std::string map = (kWithTyp / "gmapsupp.img").string();
    const std::string plainMap =
        (std::filesystem::path(fixtureDir()) / "maps" / "two_tiles" / "gmapsupp.img").string();
    const struct {
        std::vector<std::string> args;
        std::uint32_t town;
    } table[] = {
        {{map}, 0xE02020},
        {{"--typ", (kWithTyp / "style_blue.txt").string(), map}, 0x2020E0},
        {{"--typ", (kWithTyp / "style_blue.typ").string(), map}, 0x2020E0},
        {{"--typ", map, plainMap}, 0xE02020},
        {{plainMap}, 0xD0D0D0},
    };
    for (const auto& row : table) {
        const ProgramRun run = runCli(
            std::vector<std::string>{"render", "-q", "--size", "300x200", "-o", "-"} + row.args);
        ASSERT_EQ(run.status, 0) << run.err;
        expectColours(run.out, 300, 200, {{"town", 47.002, 8.012, row.town}});
    }
}

// --night takes the night colour of an element that has one, the day's of one that has not.
TEST_F(MapPictureTest, CommandDrawsTheNightColoursWhenAsked) {
    const TempDir dir;
    const std::string typ = dir.write("night.txt", "[_id]\nFID=7001\nProductCode=1\n[end]\n"
                                                   "[_polygon]\nType=0x03\nXpm=\"0 0 2 0\"\n"
                                                   "\"a c #E02020\"\n\"b c #102030\"\n[end]\n"
                                                   "[_polygon]\nType=0x4b\nXpm=\"0 0 1 0\"\n"
                                                   "\"a c #FFF0C0\"\n[end]\n");
    const std::string map = (kWithTyp / "gmapsupp.img").string();
    for (const bool night : {false, true}) {
        std::vector<std::string> args{"render", "-q", "--size", "300x200", "-o", "-", "--typ", typ};
        if (night) args.push_back("--night");
        args.push_back(map);
        const ProgramRun run = runCli(args);
        ASSERT_EQ(run.status, 0) << run.err;
        expectColours(run.out, 300, 200,
                      {{"town", 47.002, 8.012, night ? 0x102030u : 0xE02020u},
                       {"background", 47.0135, 8.012, 0xFFF0C0}});
    }
}

// Painted in bands of rows on several threads, every map's picture is the one a single thread
// paints, byte for byte: the committed test maps and the shared public ones, with their own TYP.
TEST(MapPictureBandsTest, ThreadsPaintTheSamePictureAsOne) {
    std::set<std::string> maps;
    for (const std::filesystem::path& root : {std::filesystem::path(fixtureDir()) / "maps",
                                              std::filesystem::path(sharedFixtureDir())}) {
        if (!std::filesystem::exists(root)) continue;
        for (const auto& e : std::filesystem::recursive_directory_iterator(root))
            if (e.path().extension() == ".img") maps.insert(e.path().string());
    }
    ASSERT_GE(maps.size(), 5u);
    for (const std::string& map : maps) {
        SCOPED_TRACE(map);
        const std::string bytes = readFile(map).value();
        const MapBuffer buf =
            MapBuffer::view({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
        FakeUi ui;
        mapdraw::PictureRequest request{0, 300, 451, true};
        request.threads = 1;
        const mapdraw::MapPictureResult one = mapdraw::drawMap(buf, nullptr, request, ui);
        request.threads = 4;
        const mapdraw::MapPictureResult four = mapdraw::drawMap(buf, nullptr, request, ui);
        EXPECT_EQ(one.fault, four.fault);
        EXPECT_TRUE(one.png == four.png);
        // The tiles decoded on several threads report in the directory's order.
        const auto said = [](const mapdraw::MapPictureResult& r) {
            std::vector<std::tuple<DecodeStop, std::string, std::string, std::int64_t>> notes;
            for (const DecodeNote& n : r.notes)
                notes.emplace_back(n.why, n.tile, n.subfile, n.offset);
            return std::tuple(notes, r.shapes, r.damagedShapes);
        };
        EXPECT_EQ(said(one), said(four));
    }
}

// A stop while the tiles are decoded on several threads ends the picture as stopped.
TEST(MapPictureBandsTest, AStopWhileTilesAreDecodedOnThreads) {
    const std::string bytes =
        readFile(
            (std::filesystem::path(fixtureDir()) / "maps" / "two_tiles" / "gmapsupp.img").string())
            .value();
    const MapBuffer buf =
        MapBuffer::view({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
    FakeUi ui;
    ui.stopAfterYields(0);
    mapdraw::PictureRequest request{0, 200, 200, true};
    request.threads = 4;
    EXPECT_EQ(mapdraw::drawMap(buf, nullptr, request, ui).fault, mapdraw::PictureFault::Stopped);
}

// A palette holds 256 colours: a picture of more keeps every one, in RGB. The rows are made in
// bands (kPngBandRows), the later bands bringing colours of their own, or one band more than 256
// alone; the bytes depend neither on how many threads make them nor on the order the bands come in.
TEST(PngBandsTest, EveryColourKeptWithinAPaletteOrPastOne) {
    constexpr int kWidth = 20, kHeight = 300;
    const struct {
        const char* what;
        int colours;   // the pixels take turns with so many
        int firstBand; // as many in the first band alone (0: the same turns)
        bool palette;
    } cases[] = {
        {"256 colours", 256, 0, true},
        {"257 colours, none past 256 in a band", 257, 0, false},
        {"a band of 300 colours", 5, 300, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<std::uint32_t> pixels(kWidth * kHeight);
        for (std::size_t i = 0; i < pixels.size(); ++i) {
            const bool first = c.firstBand && i < kWidth * mapdraw::kPngBandRows;
            pixels[i] =
                0xFF000000 |
                static_cast<std::uint32_t>(first ? i % c.firstBand : i / 23 % c.colours) * 0x010203;
        }
        const auto png = [&](int threads) {
            mapdraw::PngBands bands(kWidth, kHeight, threads);
            // From the last band on, by turns on each thread.
            for (int b = bands.bands() - 1; b >= 0; --b)
                if (!bands.add(b, b % threads,
                               reinterpret_cast<const std::uint8_t*>(
                                   pixels.data() + b * mapdraw::kPngBandRows * kWidth),
                               kWidth * 4))
                    return std::optional<mapdraw::PngFile>();
            return bands.finish();
        };
        const std::optional<mapdraw::PngFile> one = png(1), three = png(3);
        ASSERT_TRUE(one && three);
        EXPECT_EQ(*one, *three);
        EXPECT_EQ(one->at(25), c.palette ? 3 : 2); // IHDR's colour type
        const draw::Surface s = decoded(*one);
        ASSERT_EQ(cairo_image_surface_get_height(s.get()), kHeight);
        for (int y = 0; y < kHeight; ++y) {
            const unsigned char* row =
                cairo_image_surface_get_data(s.get()) + y * cairo_image_surface_get_stride(s.get());
            for (int x = 0; x < kWidth; ++x) {
                std::uint32_t v;
                std::memcpy(&v, row + 4 * x, 4);
                ASSERT_EQ(v & 0xFFFFFF, pixels[y * kWidth + x] & 0xFFFFFF) << x << "," << y;
            }
        }
    }
}

} // namespace
} // namespace kestrel::test
