#include "typtext/draworder.h"

#include <gtest/gtest.h>

#include "support/inventory_entries.h"

namespace kestrel {
namespace {

std::string sectionFor(std::vector<std::string> polygons) {
    TypeInventory inv;
    inv.list(kPolygons) = test::listed(polygons);
    TypTextDocument doc;
    draworder(doc, inv);
    return doc.text();
}

struct Case {
    const char* what;
    std::vector<std::string> polygons;
    std::vector<std::string> lines; // between "[_drawOrder]" and "[End]"
};

const Case kCases[] = {
    {"unmarked standard entries", {"0x1300", "0x4B00", "0x5000 Wood"}, {}},
    {"subtype digits", {"0x1305 Urban"}, {"Type=0x1300,5"}},
    {"subtype digits before a marker", {"0x1305 Urban (d2)"}, {"Type=0x1300,5"}},
    {"subtype 0x10", {"0x1310 Urban"}, {"Type=0x1300,0"}},
    {"markers",
     {"0x1300 Urban (d2)", "0x10D01  map container (d0)"},
     {"Type=0x1300,2", "Type=0x10D01,0"}},
    {"the code alone, no line", {"0x1305"}, {}},
    {"tabs count as blanks", {"0x1300\tUrban (d3)"}, {"Type=0x1300,3"}},
    {"three stars end the list",
     {"0x1300 (d1)", "0x4A00 x *** (d1)", "0x5000 (d2)"},
     {"Type=0x1300,1"}},
    {"first whole marker", {"0x1300 Land (dry) (d2) (d3)"}, {"Type=0x1300,2"}},
    {"no whole marker", {"0x1300 Land (dry)"}, {}},
    {"first line of a type wins",
     {"0x1305 Urban", "0x1300 Urban (d2)", "0x10F04  (d4)", "0x10F04  (d1)"},
     {"Type=0x1300,5", "Type=0x10F04,4"}},
    // The background goes below every other type, alone on its level.
    {"background beside others at 1 and up",
     {"0x0100 Urban (d1)", "0x4B00 background (d1)", "0x5000 Wood (d2)"},
     {"Type=0x0100,1", "Type=0x4B00,0", "Type=0x5000,2"}},
    {"others at 0 move up",
     {"0x1300 (d0)", "0x4B background (d2)", "0x5000 (d1)"},
     {"Type=0x1300,1", "Type=0x4B,0", "Type=0x5000,2"}},
    {"map container",
     {"0x0100 Urban (d1)", "0x4B00 background (d1)", "0x10D01  map container (d0)"},
     {"Type=0x0100,2", "Type=0x4B00,0", "Type=0x10D01,1"}},
    {"subtype levels",
     {"0x1305 Urban", "0x4B00 background (d3)", "0x5009 Wood"},
     {"Type=0x1300,5", "Type=0x4B00,0", "Type=0x5000,9"}},
    {"subtype level 0 moves up",
     {"0x2810 x", "0x4B00 background (d1)", "0x130F x", "0x3C00 (d9)"},
     {"Type=0x2800,1", "Type=0x4B00,0", "Type=0x1300,16", "Type=0x3C00,10"}},
    {"background with a subtype",
     {"0x4B05 background", "0x1300 (d0)"},
     {"Type=0x4B00,0", "Type=0x1300,1"}},
    {"no background",
     {"0x1300 (d0)", "0x5000 (d1)", "0x4A00 (d1)"},
     {"Type=0x1300,0", "Type=0x5000,1", "Type=0x4A00,1"}},
    // Unmarked, the background gets no line: a listed type is painted over every unlisted one.
    {"draw order unticked", {"0x0100", "0x1310 Urban", "0x4B00", "0x5000"}, {"Type=0x1300,0"}},
};

TEST(Draworder, Sections) {
    for (const auto& c : kCases) {
        std::string want = "[_drawOrder]\r\n";
        for (const auto& line : c.lines) want += line + "\r\n";
        EXPECT_EQ(sectionFor(c.polygons), want + "[End]\r\n\r\n") << c.what;
    }
}

} // namespace
} // namespace kestrel
