// Putting a TYP into a map, on the real test maps: the map's family from its MPS subfile or its
// TDB file, the TYP replaced or added, and every input that must leave nothing written.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/files.h"
#include "maptyp/map_file.h"
#include "maptyp/messages.h"
#include "maptyp/mps_products.h"
#include "maptyp/put_typ.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "support/tile_builder.h"

namespace kestrel::test {
namespace {

namespace fs = std::filesystem;
using maptyp::PutTypStatus;

const std::string kMaps = fixtureDir() + "/maps/";
const std::string kBlue = kMaps + "with_typ/style_blue.typ"; // family 7001, product 1

TEST(MapTyp, MpsProductsOrTheMapTilesWhenItListsNone) {
    using P = maptyp::MapProduct;
    const std::string f = std::string("F\x0A\0", 3) + std::string("\x02\0\xB5\x18name\0\0", 10);
    const std::string l = std::string("L\x04\0", 3) + std::string("\x01\0\x10\x27", 4);
    EXPECT_EQ(maptyp::mpsProducts(l + f + f), (std::vector{P{6325, 2}}));
    EXPECT_EQ(maptyp::mpsProducts(l), (std::vector{P{10000, 1}}));
    EXPECT_TRUE(maptyp::mpsProducts(f.substr(0, 12)).empty()); // cut inside the record
    EXPECT_TRUE(maptyp::mpsProducts(std::string("F\x02\0\x01\0", 5)).empty());
    const auto family = [](const std::string& map) {
        const auto opened = maptyp::MapFile::open(kMaps + map);
        return std::get<maptyp::MapFile>(opened).family().products;
    };
    EXPECT_EQ(family("two_tiles/gmapsupp.img"), (std::vector{P{6325, 2}}));
    EXPECT_EQ(family("with_tdb/63240041.img"), (std::vector{P{40000, 3}}));
    EXPECT_EQ(family("two_tdb/63240051.img"), (std::vector{P{6327, 1}, P{6328, 7}}));
    EXPECT_TRUE(family("complete/every_kind/63240061.img").empty());
}

struct Written {
    const char* map;
    bool keepIds;
    std::string typName;
    bool replaced, unmasked;
    typ::Identity identity;
};

TEST(MapTyp, TypReplacedOrAddedWithTheMapsIds) {
    const std::vector<Written> rows{
        {"with_typ/gmapsupp.img", false, "STYLE_RE.TYP", true, false, {6326, 3, 1252}},
        {"two_tiles/gmapsupp.img", false, "STYLE_BL.TYP", false, false, {6325, 2, 1252}},
        {"with_tdb/63240041.img", false, "STYLE_BL.TYP", false, false, {40000, 3, 1252}},
        {"two_tiles/gmapsupp.img", true, "STYLE_BL.TYP", false, false, {7001, 1, 1252}},
        {"complete/every_kind/63240061_x5a.img",
         true,
         "STYLE_BL.TYP",
         false,
         true,
         {7001, 1, 1252}},
    };
    for (const Written& row : rows) {
        SCOPED_TRACE(row.map);
        TempDir tmp;
        FakeUi ui;
        const maptyp::PutTypRequest request{kMaps + row.map, kBlue, tmp.file("new.img"),
                                            row.keepIds};
        const maptyp::PutTypResult r = maptyp::putTyp(request, ui);
        ASSERT_EQ(r.status, PutTypStatus::Written) << maptyp::describe(request, r);
        EXPECT_EQ(r.typName, row.typName);
        EXPECT_EQ(r.replaced, row.replaced);
        EXPECT_EQ(r.unmasked, row.unmasked);
        EXPECT_EQ(r.identity, row.identity);
        const auto opened = maptyp::MapFile::open(request.out);
        const auto& map = std::get<maptyp::MapFile>(opened);
        EXPECT_FALSE(map.masked());
        ASSERT_EQ(map.typs().size(), 1u);
        EXPECT_EQ(map.typs().front().identity, row.identity);
        EXPECT_EQ(r.bytes, fileSize(request.out).value_or(0));
        EXPECT_TRUE(ui.messages.empty());
    }
}

// A map holding two TYP files, of families 1 and 2, and an MPS of family 3.
std::string twoTypMap() {
    std::string typ(0x5B, '\0');
    typ.replace(0, 12, std::string("\x5B\0GARMIN TYP", 12));
    std::string one = typ, two = typ;
    one[0x2F] = 1;
    two[0x2F] = 2;
    const std::string mps = std::string("F\x06\0\x01\0\x03\0x\0", 9);
    return container(
        {{"MPS", mps, {}, "MAKEGMAP"}, {"TYP", one, {}, "ONE"}, {"TYP", two, {}, "TWO"}});
}

struct Refused {
    const char* what;
    std::string map, typ;
    PutTypStatus status;
    std::string out = "new.img";
};

TEST(MapTyp, InputsThatLeaveNothingWritten) {
    TempDir tmp;
    const std::string withTyp = kMaps + "with_typ/gmapsupp.img";
    const std::string map = readFile(withTyp).value_or("");
    const std::string typ = readFile(kBlue).value_or("");
    const std::vector<Refused> rows{
        {"output is the map", withTyp, kBlue, PutTypStatus::OutputIsInput, withTyp},
        {"output is the TYP", withTyp, kBlue, PutTypStatus::OutputIsInput, kBlue},
        {"missing map", tmp.file("gone.img"), kBlue, PutTypStatus::MapUnreadable},
        {"map is a folder", tmp.path(), kBlue, PutTypStatus::MapUnreadable},
        {"map is a TYP", kBlue, kBlue, PutTypStatus::NotAContainer},
        {"map cut", tmp.write("cut.img", map.substr(0, 5000)), kBlue,
         PutTypStatus::DirectoryDamaged},
        {"missing TYP", withTyp, tmp.file("gone.typ"), PutTypStatus::TypUnreadable},
        {"TYP empty", withTyp, tmp.write("empty.typ", ""), PutTypStatus::NotATyp},
        {"TYP cut", withTyp, tmp.write("cut.typ", typ.substr(0, 0x40)), PutTypStatus::NotATyp},
        {"TYP is a map", withTyp, withTyp, PutTypStatus::NotATyp},
        {"TYP too large", withTyp, tmp.write("big.typ", std::string((64 << 20) + 1, 'x')),
         PutTypStatus::TypTooLarge},
        {"no family", kMaps + "complete/every_kind/63240061.img", kBlue,
         PutTypStatus::FamilyUnknown},
        {"two families", kMaps + "two_tdb/63240051.img", kBlue, PutTypStatus::SeveralFamilies},
        {"two TYPs of other families", tmp.write("two.img", twoTypMap()), kBlue,
         PutTypStatus::TypChoiceUnclear},
        {"output in a missing folder", withTyp, kBlue, PutTypStatus::WriteFailed,
         "missing/new.img"},
    };
    for (const Refused& row : rows) {
        SCOPED_TRACE(row.what);
        FakeUi ui;
        const std::string out = fs::path(row.out).is_absolute() ? row.out : tmp.file(row.out);
        const maptyp::PutTypResult r = maptyp::putTyp({row.map, row.typ, out, false}, ui);
        EXPECT_EQ(r.status, row.status);
        EXPECT_FALSE(fs::exists(tmp.file("new.img")));
    }
    EXPECT_EQ(readFile(withTyp), map);
    EXPECT_EQ(readFile(kBlue), typ);
}

TEST(MapTyp, StopRequestLeavesNothingWritten) {
    TempDir tmp;
    FakeUi ui;
    ui.stopAfterYields(0);
    const maptyp::PutTypRequest request{kMaps + "with_typ/gmapsupp.img", kBlue, tmp.file("new.img"),
                                        false};
    const maptyp::PutTypResult r = maptyp::putTyp(request, ui);
    EXPECT_EQ(r.status, PutTypStatus::WriteFailed);
    EXPECT_EQ(maptyp::describe(request, r),
              "cannot write " + request.out + ": stopped before it was complete");
    EXPECT_TRUE(fs::is_empty(tmp.path()));
}

TEST(MapTyp, SubfileNamesAsMkgmapGivesThem) {
    EXPECT_EQ(maptyp::typSubfileName("dir/big.typ"), "00000BIG");
    EXPECT_EQ(maptyp::typSubfileName("sameOrder.typ"), "SAMEORDE");
    EXPECT_EQ(maptyp::typSubfileName("a b-c.TYP"), "000A_B_C");
}

} // namespace
} // namespace kestrel::test
