// The draw-order section for each polygon list of typtext/draworder.cases; all of them together
// are compared with typtext/draworder.txt.
#include "typtext/draworder.h"

#include <gtest/gtest.h>

#include "support/golden_file.h"
#include "typtext/typ_text_support.h"

namespace kestrel {
namespace {

TEST(Draworder, SectionsAreTheGoldenFile) {
    std::string all;
    for (const std::vector<std::string>& row : test::caseRows("typtext/draworder.cases")) {
        TypeInventory inventory;
        inventory.list(kPolygons) = test::listed(test::caseEntries(row.at(1)));
        TypTextDocument doc;
        draworder(doc, inventory);
        all += concat({"== ", row[0], "\r\n", doc.text()});
    }
    test::expectGoldenFile("typtext/draworder.txt", all);
}

} // namespace
} // namespace kestrel
