// The TRE overviews (lines, polygons, extended types) of synthetic maps; each row's lists, levels
// and fields are compared with mapread/tre_reader.txt. Header fields set by hand: 0x74-0x77 map ID,
// 0x8E-0x91 extended overview size, 0x92-0x93 its record size.
#include <gtest/gtest.h>

#include "mapread/read_helpers.h"
#include "support/img_builder.h"

namespace kestrel::test {
namespace {

using M = SyntheticMap;

// The map as the only file of a batch, read with the reader's defaults or Highways+.
void read(Reading& r, const M& m, bool highways = false) {
    r.options.highways = highways;
    r.read(m.bytes());
}

TEST(TreReader, OverviewsAreTheGoldenFile) {
    expectReadingsGolden(
        "mapread/tre_reader.txt",
        {
            {"map id", [](Reading& r) { read(r, M()); }},
            {"negative map id",
             [](Reading& r) {
                 M m;
                 m.img.put4(M::kTre + 0x74, static_cast<std::uint32_t>(-5));
                 read(r, m);
             }},
            {"line overview lists each type once",
             [](Reading& r) {
                 read(r, M().lines({6, 1, 6, 0x13}));
             }},
            {"overviews of size zero",
             [](Reading& r) { read(r, M().lineTable(0x600, 0, 3).polygonTable(0x700, 0, 2)); }},
            {"record size zero",
             [](Reading& r) {
                 M m;
                 m.lines({0x06}).lineTable(M::kLines - M::kTre, 3, 0);
                 m.polygons({{0x13, 1}}).polygonTable(M::kPolygons - M::kTre, 2, 0);
                 m.extended({{0x0D, 1, 1}}, 1, 0, 0);
                 m.img.put2(M::kTre + 0x92, 0);
                 read(r, m);
             }},
            {"polygon overview levels",
             [](Reading& r) {
                 read(r, M().polygons({{0x13, 2}, {0x01, 0}, {0x13, 1}, {0x4B, 1}}));
             }},
            {"highways defaults follow the overview",
             [](Reading& r) {
                 read(r, M().lines({0x01, 0x06}), true);
             }},
            {"extended overview split by the three counts",
             [](Reading& r) {
                 read(r, M().extended({{1, 0, 0},
                                       {2, 0, 0},
                                       {3, 1, 0},
                                       {4, 2, 0},
                                       {5, 0, 0},
                                       {6, 0, 0},
                                       {7, 0, 0}},
                                      2, 3, 1));
             }},
            {"same line records running into the polygons",
             [](Reading& r) {
                 read(r, M().extended({{1, 0, 0}, {1, 0, 0}, {1, 0, 0}}, 2, 1, 0));
             }},
            {"subtype above 31 carries a marker",
             [](Reading& r) {
                 read(r, M().extended({{0x0D, 1, 0x21}, {0x0E, 1, 0x25}}, 1, 1, 0));
             }},
            {"extended overview behind a header of 137 bytes, then of 138",
             [](Reading& r) {
                 M m;
                 m.extended({{0x0D, 1, 1}}, 1, 0, 0).img.put2(M::kTre, 137);
                 r.read(m.bytes());
                 EXPECT_TRUE(r.lines().empty());
                 r.read(m.img.put2(M::kTre, 138).bytes(), 1);
             }},
            {"extended overview of big records",
             [](Reading& r) {
                 M m;
                 m.extended({{0x0D, 1, 1}}, 1, 0, 0).img.put2(M::kTre + 0x92, 13);
                 read(r, m);
             }},
            // Where a file may start with one (an unmasked GMP file), the first signature is the
            // one read, though its header would start before the file.
            {"TRE signature at the first byte",
             [](Reading& r) {
                 r.read(M().lines({0x06}).img.putText(0, "GARMIN TRE").bytes(), 0, "/maps/x.gmp");
             }},
            {"NT map counts from the GMP header",
             [](Reading& r) {
                 M m;
                 m.img.header(0x40, "GMP", 0x31);
                 read(r, m.extended({{0x0D, 1, 1}}, 0, 1, 0, 0x40), true);
             }},
            // After the signature search, the first record's yield stops.
            {"escape during the line overview still adds Highways+",
             [](Reading& r) {
                 r.ui.stopAfterYields(1);
                 read(r, M().lines({0x06, 0x07, 0x08}).polygons({{0x13, 0}}), true);
             }},
            {"same map twice adds nothing",
             [](Reading& r) {
                 M m;
                 m.lines({0x06}).polygons({{0x13, 1}});
                 m.extended({{0x0D, 1, 1}, {0x14, 0, 1}}, 0, 1, 1);
                 r.read(m.bytes()).read(m.bytes(), 1);
             }},
            {"huge overview sizes read zeros beyond the file",
             [](Reading& r) {
                 M m;
                 m.lineTable(0xFF0 - M::kTre, 0x7FFFFFFF, 1)
                     .polygonTable(0x7FFFFF00, 0x7FFFFFFF, 1);
                 m.extended({{0x0D, 1, 1}}, 3, 3, 3);
                 m.img.put4(M::kTre + 0x8E, 0x7FFFFFF0);
                 read(r, m);
                 EXPECT_LT(r.ui.yields, 100000);
             }},
            {"negative overview offsets read zeros, then the file",
             [](Reading& r) {
                 M m;
                 m.img.put1(1, 0x07); // where the table enters the file
                 read(r, m.lineTable(-0x40000000, 0x40000000, 1));
                 EXPECT_LT(r.ui.yields, 100000);
             }},
            {"section size near 4 GiB reads as negative",
             [](Reading& r) {
                 read(r, M().lines({0x06}).lineTable(M::kLines - M::kTre, 0xFFFFFFF0, 3));
             }},
        });
}

TEST(TreReader, PolygonOverviewStopsAddingAt300Entries) {
    // The first map brings 250 extended polygons; the second's overview may add only 50 more,
    // while its extended overview still adds beyond 300.
    SyntheticMap first;
    std::vector<std::vector<std::uint8_t>> ext;
    for (int i = 0; i < 250; ++i)
        ext.push_back({static_cast<std::uint8_t>(i % 200), 0, static_cast<std::uint8_t>(i / 200)});
    first.extended(ext, 0, 250, 0);
    SyntheticMap second;
    std::vector<std::pair<std::uint8_t, std::uint8_t>> standard;
    for (int t = 0; t < 100; ++t) standard.push_back({static_cast<std::uint8_t>(t), 0});
    second.polygons(standard).extended({{0x0D, 0, 5}}, 0, 1, 0);
    Reading r;
    r.read(first.bytes()).read(second.bytes(), 1);
    ASSERT_EQ(r.polygons().size(), 301u);
    EXPECT_EQ(r.polygons()[299], "0x3100");
    EXPECT_EQ(r.polygons()[300], "0x10D05 ");
}

} // namespace
} // namespace kestrel::test
