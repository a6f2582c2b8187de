// The RGN scans of extended points, lines and polygons on synthetic maps. Each row puts the
// record under test before a marker record, which is listed only when the record's length was
// taken right; the lists, levels and fields of each row are compared with mapread/rgn_scans.txt.
// RGN header fields set by hand: polygon section offset 0x1D-0x20 and size 0x21-0x24, point
// section offset 0x55-0x58 and size 0x59-0x5C.
#include <gtest/gtest.h>

#include <algorithm>

#include "mapread/read_helpers.h"
#include "mapread/rgn_extended_scan.h"
#include "support/img_builder.h"

namespace kestrel::test {
namespace {

using M = SyntheticMap;
using V = std::vector<std::string>;

// A point record: type, flags, then filler up to the length, with the given bytes set.
Bytes point(std::uint8_t type, std::uint8_t flags, std::size_t length,
            const std::vector<std::pair<std::size_t, std::uint8_t>>& at = {}) {
    Bytes b(length, 0x11);
    b[0] = type;
    b[1] = flags;
    for (const auto& [pos, v] : at) b[pos] = v;
    return b;
}
const Bytes kPointMarker = point(0x2F, 0x03, 6);

// A line or polygon record: type, flags, four coordinate bytes, L, M, then filler.
Bytes record(std::uint8_t type, std::uint8_t flags, std::uint8_t l, std::uint8_t m,
             std::size_t length) {
    const Bytes head{type, flags, 0, 0, 0, 0, l, m};
    Bytes b(length, 0x55);
    std::copy_n(head.begin(), std::min(length, head.size()), b.begin());
    return b;
}
const Bytes kPolygonMarker = record(0x3F, 0x02, 0x01, 0, 7);

// Rows that read one section of points (before the marker), on an ordinary or an NT map.
ReadingRow points(const char* name, const Bytes& first, const char* file = "map.img") {
    return {name, [first, file](Reading& r) {
                r.read(M().rgnPoints(first + kPointMarker).bytes(), 0, file);
            }};
}
ReadingRow ntPoints(const char* name, const Bytes& first) {
    return points(name, first, "/maps/nt.gmp");
}
ReadingRow polygons(const char* name, const Bytes& first) {
    return {name, [first](Reading& r) { r.read(M().rgnPolygons(first + kPolygonMarker).bytes()); }};
}
ReadingRow read(const char* name, std::function<void(M&)> build) {
    return {name, [build](Reading& r) {
                M m;
                build(m);
                r.read(m.bytes());
            }};
}

TEST(RgnScans, ReadingsAreTheGoldenFile) {
    expectReadingsGolden(
        "mapread/rgn_scans.txt",
        {
            points("point of six bytes", point(0x14, 0x01, 6)),
            points("labelled point of nine bytes", point(0x14, 0x21, 9)),
            points("point with extra bytes", point(0x14, 0x81, 12, {{6, 0x10}})),
            points("labelled point with extra bytes", point(0x14, 0xA1, 15, {{9, 0x10}})),
            {"NT points with long extra bytes of every length in the table",
             [](Reading& r) {
                 const std::pair<std::uint8_t, std::size_t> lengths[] = {
                     {45, 95},  {55, 117}, {61, 104}, {65, 40},  {67, 107}, {69, 108}, {71, 109},
                     {75, 111}, {79, 53},  {83, 48},  {87, 151}, {89, 58},  {91, 63},  {123, 68}};
                 Bytes all;
                 std::uint8_t type = 0x20;
                 for (const auto& [x, length] : lengths)
                     all = all + point(type++, 0x81, length + 1, {{6, 0xE5}, {7, x}});
                 r.read(M().rgnPoints(all + kPointMarker).bytes(), 0, "/maps/nt.gmp");
             }},
            {"GMP header makes the map NT",
             [](Reading& r) {
                 M m;
                 m.img.header(0x40, "GMP", 0x31);
                 m.rgnPoints(point(0x14, 0x81, 41, {{6, 0xE5}, {7, 0x41}}) + kPointMarker, 0x40);
                 r.options.highways = true;
                 r.read(m.bytes());
             }},
            points("long extra bytes on an ordinary map",
                   point(0x14, 0x81, 6, {{2, 0}, {3, 0}, {4, 0}, {5, 0}}) + Bytes{0xE5, 0x41}),
            ntPoints("NT length not in the table ends the scan",
                     point(0x14, 0x81, 12, {{6, 0xE5}, {7, 0x42}})),
            ntPoints("NT end marker sets the length", point(0x14, 0x41, 10, {{9, 0x87}})),
            ntPoints("NT record of type 0x87 ends a byte earlier",
                     point(0x87, 0x41, 9, {{8, 0x22}}) + point(0x87, 0x02, 6)),
            points("end marker counts only on NT maps", point(0x14, 0x41, 6)),
            read("overview code listed again, each code once in the scan",
                 [](M& m) {
                     m.extended({{0x14, 0, 1}}, 0, 0, 1);
                     m.rgnPoints(point(0x14, 0x01, 6) + point(0x14, 0x01, 6) +
                                 point(0x15, 0x02, 6));
                 }),
            read("short RGN header skips the point scan",
                 [](M& m) { m.rgnPoints(point(0x14, 0x01, 6)).img.put2(M::kRgn, 124); }),
            read("point completed by the byte after the section",
                 [](M& m) {
                     m.rgnPoints(point(0x14, 0x01, 6) + Bytes{0x15, 0x01, 0, 0, 0});
                 }),
            read("point running past the section",
                 [](M& m) {
                     m.rgnPoints(point(0x14, 0x01, 6) + Bytes{0x15, 0x01, 0x11});
                 }),
            {"an earlier escape does not stop the point scan",
             [](Reading& r) {
                 M m;
                 m.extended({{0x01, 0, 0}, {0x02, 0, 0}}, 2, 0, 0);
                 m.rgnPoints(point(0x14, 0x01, 6) + point(0x15, 0x01, 6));
                 r.ui.stopAfterYields(1); // stops the extended overview after its first record
                 r.read(m.bytes());
             }},
            {"escape during the point scan ends it",
             [](Reading& r) {
                 r.ui.stopAfterYields(1); // the signature search, then the first record
                 r.read(M().rgnPoints(point(0x14, 0x01, 6) + point(0x15, 0x01, 6)).bytes());
             }},
            {"huge point section ends promptly",
             [](Reading& r) {
                 M m;
                 m.rgnPoints(point(0x14, 0x01, 6)).img.put4(M::kRgn + 0x59, 0x7FFFFFFF);
                 r.read(m.bytes());
                 EXPECT_LT(r.ui.yields, 1000);
             }},
            {"negative point section start reads zeros",
             [](Reading& r) {
                 M m;
                 m.rgnPoints(point(0x14, 0x01, 6));
                 m.img.put4(M::kRgn + 0x55, static_cast<std::uint32_t>(-0x40000000));
                 m.img.put4(M::kRgn + 0x59, 0x40000000 + 0x10);
                 r.read(m.bytes());
                 EXPECT_LT(r.ui.yields, 1000);
             }},
            polygons("labelled odd length occupies 20 bytes", record(0x0D, 0x21, 0x15, 0, 20)),
            polygons("even length takes the 16-bit value rounded up",
                     record(0x0D, 0x01, 0x26, 0x01, 81)),
            polygons("length byte FF uses the table", record(0x0D, 0x01, 0xFF, 0x12, 30)),
            polygons("length byte FF with a label", record(0x0D, 0x21, 0xFF, 0x12, 33)),
            polygons("multiple of eight bombs out", record(0x0D, 0x01, 0x10, 0, 12)),
            read("unknown length after 00 bombs out",
                 [](M& m) { m.rgnLines(record(0x0E, 0x02, 0x00, 0x07, 12)); }),
            read("unknown length after FF bombs out",
                 [](M& m) { m.rgnLines(record(0x0E, 0x02, 0xFF, 0x00, 12)); }),
            polygons("type 0x40 is skipped", record(0x40, 0x01, 0x01, 0, 7)),
            read("bombout records type 0x40",
                 [](M& m) { m.rgnPolygons(record(0x40, 0x01, 0x10, 0, 12)); }),
            read("bombout skips type 0x41",
                 [](M& m) { m.rgnPolygons(record(0x41, 0x01, 0x10, 0, 12)); }),
            polygons("first record with extra bytes adds nothing", record(0x0D, 0x81, 0x01, 0, 7)),
            read("codes of the overview are not added again",
                 [](M& m) {
                     m.extended({{0x0E, 0, 2}}, 1, 0, 0);
                     m.rgnLines(record(0x0E, 0x02, 0x01, 0, 7) + record(0x0F, 0x03, 0x01, 0, 7));
                 }),
            {"RGN header of 56 bytes skips the polygon scan, of 57 reads it",
             [](Reading& r) {
                 M m;
                 r.read(
                     m.rgnPolygons(record(0x0D, 0x01, 0x01, 0, 7)).img.put2(M::kRgn, 56).bytes());
                 EXPECT_TRUE(r.polygons().empty());
                 r.read(m.img.put2(M::kRgn, 57).bytes(), 1);
             }},
            read("zero offset skips the polygon scan",
                 [](M& m) {
                     m.rgnPolygons(record(0x0D, 0x01, 0x01, 0, 7));
                     m.img.put4(M::kRgn + 0x1D, 0);
                 }),
            read("NT map counts section offsets from the GMP header",
                 [](M& m) {
                     m.img.header(0x40, "GMP", 0x31);
                     m.rgnLines(record(0x0E, 0x02, 0x01, 0, 7), 0x40);
                 }),
            {"GMP name without GMP header counts from the RGN header",
             [](Reading& r) {
                 r.read(M().rgnLines(record(0x0E, 0x02, 0x01, 0, 7)).bytes(), 0, "/maps/i0001.gmp");
                 EXPECT_TRUE(r.map.container.fngmp());
             }},
            read("section running off the file bombs out",
                 [](M& m) {
                     m.rgnPolygons(record(0x0D, 0x01, 0x01, 0, 7));
                     m.img.put4(M::kRgn + 0x21, 0x7FFFFFFF);
                     m.img.put4(M::kRgn + 0x1D, 0x1000 - 7 - M::kRgn);
                     m.img.putBytes(0x1000 - 7, record(0x0D, 0x01, 0x01, 0, 7));
                 }),
            {"escape ends the scan after the current record",
             [](Reading& r) {
                 r.ui.stopAfterYields(1); // the signature search, then the first record
                 r.read(
                     M().rgnLines(record(0x0E, 0x02, 0x01, 0, 7) + record(0x0F, 0x03, 0x01, 0, 7))
                         .bytes());
             }},
        });
}

TEST(RgnScans, NtLengthNotInTheTableLeavesTheCodeUnguarded) {
    Reading r;
    r.read(M().rgnPoints(point(0x14, 0x81, 12, {{6, 0xE5}, {7, 0x42}}) + kPointMarker).bytes(), 0,
           "/maps/nt.gmp");
    EXPECT_TRUE(r.map.inventory.seenpoi.has(TypeCode(0x11401, CodeDigits::Extended)));
    EXPECT_FALSE(r.map.inventory.extpois.has(TypeCode(0x11401, CodeDigits::Extended)));
}

TEST(RgnScans, PointListStopsGrowingPast4000) {
    Bytes section;
    for (std::uint8_t t = 0x20; t < 0x28; ++t) section = section + point(t, 0x01, 6);
    for (const std::size_t before : {3999u, 4001u}) {
        Reading r;
        r.map.inventory.list(kPois).resize(before, {TypeCode(), Origin::RgnPointWalk});
        r.read(M().rgnPoints(section).bytes());
        EXPECT_EQ(r.pois().size(), std::max<std::size_t>(before, 4001u));
        EXPECT_EQ(r.pois().back() == "0x12101 ", before < 4000);
    }
}

TEST(RgnExtendedScan, PointDataLengthsFollowTheLengthByteRules) {
    const struct {
        std::uint8_t l, m;
        std::uint32_t lm;
        std::uint32_t len, lf;
    } cases[] = {{0x15, 0, 0, 11, 0},  {0x26, 0x01, 0x0126, 74, 1}, {0xFF, 0x12, 0, 22, 2},
                 {0, 59, 0, 9, 2},     {0, 35, 0, 20, 2},           {0, 45, 0, 9, 2},
                 {0, 46, 0, 0, 2},     {0x10, 0, 0, 0, 0},          {0xFF, 0x11, 0, 15, 2},
                 {0xFF, 22, 0, 22, 2}, {0xFF, 0x00, 0, 0, 2},       {0xFF, 19, 0, 28, 2},
                 {0xFF, 27, 0, 25, 2}, {0xFF, 33, 0, 20, 2},        {0xFF, 43, 0, 15, 2},
                 {0xFF, 66, 0, 19, 2}};
    for (const auto& c : cases) {
        const auto d = RgnExtendedScan::pointData(c.l, c.m, c.lm);
        EXPECT_EQ(std::pair(d.len, d.lf), std::pair(c.len, c.lf)) << int(c.l) << " " << int(c.m);
    }
}

TEST(RgnExtendedScan, BomboutSkipsCodesAlreadyGuarded) {
    TypeInventory inv;
    inv.seenline.add(RgnExtendedScan::extendedCode(0x0E, 2));
    RgnExtendedScan::bombout(inv, kLines, RgnExtendedScan::extendedCode(0x0E, 2));
    EXPECT_TRUE(inv.list(kLines).empty());
    RgnExtendedScan::bombout(inv, kPois, RgnExtendedScan::extendedCode(0x14, 1));
    EXPECT_EQ(entryTexts(inv.list(kPois)), (V{"0x11401"}));
    EXPECT_TRUE(inv.seenpoi.has(RgnExtendedScan::extendedCode(0x14, 1)));
}

} // namespace
} // namespace kestrel::test
