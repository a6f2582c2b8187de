// The complete scan on tiles built byte by byte: extended record forms and flags, the subdivisions'
// ranges and levels, the directory's blocks, NT tiles, and where it stops. Standard records and
// the section pointers meet every form in the real maps (complete_scan_maps_test.cpp).
#include <gtest/gtest.h>

#include "mapread/complete_scan.h"
#include "mapread/img_directory.h"
#include "mapread/read_helpers.h"
#include "support/fake_ui.h"
#include "support/tile_builder.h"

namespace kestrel::test {
namespace {

using Counts = std::vector<TypeCount>;
constexpr auto kPolygon = ObjectKind::Polygon;
constexpr auto kLine = ObjectKind::Line;
constexpr auto kPoint = ObjectKind::Point;

std::uint8_t byte(std::size_t v) {
    return static_cast<std::uint8_t>(v & 0xFF);
}
Bytes point(std::uint8_t type, int subtype = -1) {
    Bytes b{type, 0, 0, byte(subtype >= 0 ? 0x80 : 0), 1, 0, 2, 0};
    if (subtype >= 0) b.push_back(byte(static_cast<std::size_t>(subtype)));
    return b;
}
// A polyline or polygon whose bitstream (after its info byte) takes n bytes.
Bytes poly(std::uint8_t type, std::size_t n) {
    const bool two = n >= 256;
    Bytes b{byte(type | (two ? 0x80 : 0)), 0, 0, 0, 1, 0, 2, 0, byte(n)};
    if (two) b.push_back(byte(n >> 8));
    b.resize(b.size() + n + 1, 0x55);
    return b;
}
// An extended record: type, flags, the first point, then the rest as given.
Bytes ext(std::uint8_t type, std::uint8_t flags, const Bytes& rest = {}) {
    return Bytes{type, flags, 1, 0, 2, 0} + rest;
}
// A bitstream of n bytes behind its length in the 1-, 2- or 3-byte form.
Bytes stream(std::size_t n) {
    Bytes b = n < 0x80     ? Bytes{byte(n << 1 | 1)}
              : n < 0x4000 ? Bytes{byte(n << 2 | 2), byte(n >> 6)}
                           : Bytes{byte(n << 3 | 4), byte(n >> 5), byte(n >> 13)};
    b.resize(b.size() + n, 0xAA);
    return b;
}
// A subdivision's data: 16-bit pointers to the second and later kinds, then each kind's records.
Bytes kinds(const std::vector<Bytes>& parts) {
    Bytes head, body;
    std::size_t at = 2 * (parts.size() - 1);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) head = head + Bytes{byte(at), byte(at >> 8)};
        at += parts[i].size();
        body = body + parts[i];
    }
    return head + body;
}
TileLayout one(std::uint8_t content, const Bytes& data, std::array<Bytes, 3> extended = {}) {
    return {{0}, {{0, content, data, std::move(extended)}}};
}

CompleteResult scan(const std::string& bytes, FakeUi ui = {}) {
    MapBuffer buf = MapBuffer::fromBytes(bytes);
    // A container's first byte is its mask; a GMP file's first byte is its header's length.
    if (bytes.compare(2, 10, "GARMIN GMP") != 0) buf.setKey(buf.rawFirstByte());
    return CompleteScan::run(buf, ui);
}
CompleteResult scan(const TileLayout& tile) {
    return scan(container(tileSubfiles(tile)));
}
std::vector<DecodeStop> whys(const CompleteResult& r) {
    std::vector<DecodeStop> w;
    for (const DecodeNote& n : r.notes) w.push_back(n.why);
    return w;
}

TEST(CompleteRecords, SubdivisionsRunToTheNextOneWithContentAndCarryTheirLevel) {
    TileLayout tile{{4, 2, 0},
                    {{0, 0, {}, {}},
                     {1, kHoldsPoints, point(0x2A) + point(0x2B, 1), {ext(0x01, 0, stream(2))}},
                     {1, 0, {}, {}},
                     {2,
                      kHoldsPoints | kHoldsPolygons,
                      kinds({point(0x2A), poly(0x13, 9)}),
                      {ext(0x01, 0, stream(3)), {}, ext(0x14, 1)}}}};
    auto files = tileSubfiles(tile);
    files[0].bytes[0xE8] = 0; // the empty subdivision's offset does not end its neighbour's data
    const CompleteResult r = scan(container(files));
    EXPECT_EQ(r.list(kPoint), (Counts{{0x2A00, 2, 0b101}, {0x2B01, 1, 0b100}, {0x11401, 1, 1}}));
    EXPECT_EQ(r.list(kPolygon), (Counts{{0x1300, 1, 1}, {0x10100, 2, 0b101}}));
    EXPECT_TRUE(r.notes.empty());
}

TEST(CompleteRecords, ExtendedRecordsFollowTheirFlagsAndLengthForms) {
    // Each record's type byte is its position, so a misread length shows in the next code.
    const std::vector<Bytes> polys{ext(0, 0x01, stream(3)),
                                   ext(1, 0x02, stream(200)),
                                   ext(2, 0x03, stream(20000)),
                                   ext(3, 0x21, stream(5) + Bytes{7, 0, 0}),
                                   ext(4, 0x81, stream(1) + Bytes{0x10}),
                                   ext(5, 0xA1, stream(1) + Bytes{7, 0, 0, 0xE0, 0x05, 1, 2}),
                                   ext(6, 0x01, stream(0))}; // its length, the range's last byte
    const std::vector<Bytes> pointRecords{ext(0, 0x00),
                                          ext(1, 0x20, {7, 0, 0}),
                                          ext(2, 0x80, {0x10}),
                                          ext(3, 0x80, {0x98, 0x7D}),
                                          ext(4, 0x80, {0xA0, 1, 2}),
                                          ext(5, 0x80, {0xC0, 1, 2, 3}),
                                          ext(6, 0x80, {0xE0, 0x09, 1, 2, 3, 4}),
                                          ext(7, 0xA1, {7, 0, 0, 0xE0, 0x0D, 1, 2, 3, 4, 5, 6}),
                                          ext(8, 0x80, {0xE0, 0x0A, 0x00, 1, 2})};
    Bytes p, t;
    for (const Bytes& b : polys) p = p + b;
    for (const Bytes& b : pointRecords) t = t + b;
    const CompleteResult r = scan(one(0, {}, {p, p, t}));
    auto codes = [](const Counts& c) {
        std::vector<std::uint32_t> v;
        for (const TypeCount& e : c) v.push_back(e.code);
        return v;
    };
    EXPECT_EQ(codes(r.list(kPolygon)),
              (std::vector<std::uint32_t>{0x10001, 0x10102, 0x10203, 0x10301, 0x10401, 0x10501,
                                          0x10601}));
    EXPECT_EQ(codes(r.list(kLine)), codes(r.list(kPolygon)));
    EXPECT_EQ(codes(r.list(kPoint)),
              (std::vector<std::uint32_t>{0x10000, 0x10100, 0x10200, 0x10300, 0x10400, 0x10500,
                                          0x10600, 0x10701, 0x10800}));
    EXPECT_TRUE(r.notes.empty());
}

TEST(CompleteRecords, DamageStopsThatPartWithANoteAtTheRecord) {
    // More records than the decoders hand on at once: those before the damage all count.
    Bytes many;
    for (int i = 0; i < 300; ++i) many = many + point(0x2A);
    struct Case {
        TileLayout tile;
        std::int64_t at; // offset of the damage in the RGN subfile
        DecodeStop why;
        Counts pointsBefore;
    } cases[] = {
        {one(kHoldsPoints, point(0x2A) + Bytes{0x2B, 0, 0, 0x80, 1, 0, 2, 0}),
         0x7D + 8,
         DecodeStop::RecordDamaged,
         {{0x2A00, 1, 1}}},
        {one(kHoldsPoints, many + Bytes{0x2B, 0, 0, 0x80, 1, 0, 2, 0}),
         0x7D + 300 * 8,
         DecodeStop::RecordDamaged,
         {{0x2A00, 300, 1}}},
        {one(kHoldsPoints | kHoldsPolygons, Bytes{0x40, 0} + point(0x2A)),
         0x7D,
         DecodeStop::SubdivisionDamaged,
         {}},
        {one(0, {}, {{{}, {}, ext(0x14, 1) + ext(0x15, 0x80, {0xE0, 0x08, 0, 0, 0})}}),
         0x7D + 6,
         DecodeStop::RecordDamaged,
         {{0x11401, 1, 1}}},
    };
    for (const Case& c : cases) {
        const std::string bytes = container(tileSubfiles(c.tile));
        const CompleteResult r = scan(bytes);
        MapBuffer buf = MapBuffer::fromBytes(bytes);
        const std::int64_t rgn = ImgDirectory::read(buf).tiles.at(0).rgn.ranges.at(0).offset;
        ASSERT_EQ(r.notes.size(), 1u);
        EXPECT_EQ(r.notes[0].why, c.why);
        EXPECT_EQ(r.notes[0].offset, rgn + c.at);
        EXPECT_EQ(describe(r.notes[0]).substr(0, 12), "63240099 RGN");
        EXPECT_EQ(r.list(kPoint), c.pointsBefore);
    }
}

TEST(CompleteRecords, DirectoryBlocksInAnyOrderMaskedOrDamaged) {
    Bytes many;
    for (int i = 0; i < 200; ++i) many = many + point(byte(0x20 + i % 16));
    auto files = tileSubfiles(one(kHoldsPoints, many)); // RGN: 4 blocks
    const CompleteResult whole = scan(container(files));
    ASSERT_EQ(whole.list(kPoint).size(), 16u);
    files[1].blocks = {12, 8, 10, 6};
    EXPECT_EQ(scan(container(files)).kinds, whole.kinds);
    EXPECT_EQ(scan(container(files, 0x4B)).kinds, whole.kinds);
    // A block used twice, and blocks past the file's end (the file cut after block 7).
    for (int cut : {0, 8}) {
        files[1].blocks =
            cut ? std::vector<std::uint16_t>{6, 7, 9, 8} : std::vector<std::uint16_t>{6, 7, 7, 8};
        const std::string bytes = container(files);
        const CompleteResult r = scan(cut ? bytes.substr(0, cut * kTileBlock) : bytes);
        EXPECT_EQ(whys(r), (std::vector{DecodeStop::DirectoryDamaged, DecodeStop::RecordDamaged}));
        EXPECT_EQ(r.list(kPoint).size(), 16u); // the first two blocks hold more than 16 points
    }
    // Blocks of up to 2^30 bytes; a larger size is refused at the exponents.
    for (const auto& [exponent, refused] : {std::pair{21, false}, std::pair{22, true}}) {
        std::string bytes = container(files);
        bytes[0x62] = static_cast<char>(exponent); // 2^(9 + exponent) bytes a block
        const CompleteResult r = scan(bytes);
        EXPECT_EQ(!r.notes.empty() && r.notes[0].offset == 0x61, refused) << exponent;
    }
    files.pop_back();
    EXPECT_EQ(whys(scan(container(files))), std::vector{DecodeStop::MissingSubfile});
    EXPECT_EQ(whys(scan(std::string("not a map"))), std::vector{DecodeStop::NotAContainer});
    EXPECT_EQ(describe({DecodeStop::NotAContainer, "", "", 0}), "at 0x0: not an IMG container");
}

TEST(CompleteRecords, LevelsLieInsideTheTreAndAreAtMost16) {
    for (const std::size_t levels : {16u, 17u})
        EXPECT_EQ(whys(scan(TileLayout{std::vector<std::uint8_t>(levels, 0), {}})).empty(),
                  levels == 16);
    auto files = tileSubfiles(one(kHoldsPoints, point(0x2A)));
    ImgBuilder tre(0); // two levels (0x25-0x28: 8 bytes) from 4 bytes before the end (0x21-0x24)
    tre.putText(0, files[0].bytes).put4(0x21, std::ssize(files[0].bytes) - 4).put4(0x25, 8);
    files[0].bytes = tre.bytes();
    EXPECT_EQ(describe(scan(container(files)).notes.at(0)),
              "63240099 TRE at 0x821: map levels or subdivisions damaged");
}

// A section is read when the RGN header holds its size field (points: 0x59-0x5C); without the
// extended-type offsets its records belong to no subdivision and no level.
TEST(CompleteRecords, ExtendedSectionsNeedTheirHeaderFieldAndOffsetsForLevels) {
    auto files = tileSubfiles(one(0, {}, {{{}, {}, ext(0x14, 1)}}));
    for (const char length : {0x5C, 0x5D}) {
        files[1].bytes[0] = length;
        EXPECT_EQ(scan(container(files)).list(kPoint).size(), length == 0x5D ? 1u : 0u);
    }
    files[0].bytes[0x84] = 0; // 0x84-0x85: the offsets' record size
    EXPECT_EQ(scan(container(files)).list(kPoint), (Counts{{0x11401, 1, 0}}));
}

TEST(CompleteRecords, NtTileIsReadFromItsGmpOrFallsBackWithOneNote) {
    const TileLayout tile = one(kHoldsPoints, point(0x2A, 3), {{{}, {}, ext(0x14, 1)}});
    constexpr std::int64_t treAt = 0x40;
    const auto rgnAt = treAt + static_cast<std::int64_t>(tileSubfiles(tile)[0].bytes.size());
    const auto subfiles = tileSubfiles(tile, treAt, rgnAt);
    ImgBuilder gmp(0); // 0x19-0x1C: where the TRE header lies, 0x1D-0x20: the RGN header
    gmp.header(0, "GMP", 0x31).put4(0x19, treAt).put4(0x1D, rgnAt);
    gmp.putText(treAt, subfiles[0].bytes).putText(rgnAt, subfiles[1].bytes);
    const Counts expected{{0x2A03, 1, 1}, {0x11401, 1, 1}};
    const CompleteResult alone = scan(gmp.bytes());
    EXPECT_EQ(alone.list(kPoint), expected);
    EXPECT_EQ(scan(container({{"GMP", gmp.bytes(), {}}})).list(kPoint), expected);
    gmp.put1(rgnAt + 0x7D + 3, 0); // no subtype: a byte is left over, too short for a point
    const std::string map =
        container({{"GMP", gmp.bytes(), {}}, {"GMP", gmp.bytes(), {}, "63240098"}});
    const CompleteResult damaged = scan(map);
    EXPECT_TRUE(damaged.ntFallback);
    EXPECT_EQ(whys(damaged), std::vector{DecodeStop::NtFallback});
    EXPECT_TRUE(damaged.list(kPoint).empty());
    // The reader lists what the overview reading lists, with the note as one more message.
    Reading overview, complete;
    complete.options.complete = true;
    overview.read(map);
    complete.read(map);
    EXPECT_EQ(complete.pois(), overview.pois());
    overview.ui.messages.push_back("NT map: cannot decode, fall back");
    EXPECT_EQ(complete.ui.messages, overview.ui.messages);
}

// At the second subdivision, whose data follows the first's 8 bytes.
TEST(CompleteRecords, StopFlagEndsTheScanWithANote) {
    FakeUi ui;
    ui.stopAfterYields(1);
    const TileLayout two{{0},
                         {{0, kHoldsPoints, point(0x2A), {}}, {0, kHoldsPoints, point(0x2B), {}}}};
    const CompleteResult r = scan(container(tileSubfiles(two)), ui);
    EXPECT_EQ(whys(r), std::vector{DecodeStop::Stopped});
    EXPECT_EQ(r.notes[0].offset, 0xA00 + 0x7D + 8);
    EXPECT_TRUE(r.list(kPoint).empty());
}

} // namespace
} // namespace kestrel::test
