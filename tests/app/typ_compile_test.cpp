// "Compile" on the session: NAME.typ beside the text written last, with the open map's family ID
// and product code when the text was written for that map in this run.
#include "app/typ_compile.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "base/paths.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "typfile/binary_reader.h"

namespace kestrel {
namespace {

constexpr std::string_view kText =
    "[_id]\nFID=77\nProductCode=3\nCodePage=1252\n[end]\n"
    "[_polygon]\nType=0x01\nXpm=\"0 0 1 0\"\n\"a c #102030\"\n[end]\n";

TEST(TypCompileCommand, NamesTheTypAfterTheText) {
    EXPECT_EQ(compiledTypName("/maps/roads.txt"), "/maps/roads.typ");
    EXPECT_EQ(compiledTypName("/maps.d/roads"), "/maps.d/roads.typ");
    EXPECT_EQ(compiledTypName("roads.old.TXT"), "roads.old.typ");
}

// Written for the open map in this run: the map's fields; else, or with a field that is no
// valid number, the text's own [_id].
TEST(TypCompileCommand, TakesTheMapsIdentityForATextWrittenForIt) {
    struct Row {
        bool txtdone;
        std::string txtmap, fid, product;
        std::uint16_t wantFid, wantProduct;
    } rows[] = {{true, "a.img", "4711", "2", 4711, 2},
                {true, "a.img", "4711", "", 4711, 3},
                {true, "a.img", "65001", "x", 77, 3},
                {true, "b.img", "4711", "2", 77, 3},
                {false, "a.img", "4711", "2", 77, 3}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.txtmap + " " + r.fid + " " + r.product);
        test::TempDir dir;
        Session session;
        session.settings.typfile = dir.write("t.txt", std::string(kText));
        session.txtdone = r.txtdone;
        session.txtmap = r.txtmap;
        session.map.mapfile = "a.img";
        session.map.fields.fid = r.fid;
        session.map.fields.productCode = r.product;
        test::FakeUi ui;
        ASSERT_TRUE(compileTypText(session, ui, {}));
        const auto typ = typ::readBinary(readFile(dir.file("t.typ")).value_or(""));
        EXPECT_EQ(typ.typ.identity.familyId, r.wantFid);
        EXPECT_EQ(typ.typ.identity.productId, r.wantProduct);
    }
}

TEST(TypCompileCommand, SaysWhyNothingWasWritten) {
    test::TempDir dir;
    Session session;
    test::FakeUi ui;
    EXPECT_FALSE(compileTypText(session, ui, {}));
    session.settings.typfile = dir.file("gone.txt");
    EXPECT_FALSE(compileTypText(session, ui, {}));
    session.settings.typfile = dir.write("t.txt", "[_polygon]\nType=0xZZ\n");
    EXPECT_FALSE(compileTypText(session, ui, {}));
    EXPECT_FALSE(fileExists(dir.file("t.typ")));
    EXPECT_EQ(ui.messages,
              (std::vector<std::string>{
                  "No TYP text to compile: write one first with Create TYP file.",
                  "Cannot read the TYP text " + dir.file("gone.txt") + ".",
                  "t.txt cannot be compiled, line 2: Type: \"0xZZ\" is not a number\r\n\r\n"
                  "Nothing was written."}));
}

} // namespace
} // namespace kestrel
