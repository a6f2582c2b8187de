#pragma once
// The typed model of a TYP file: everything it holds, as plain values. Two files decode to the same
// content exactly when their models compare equal. The text reader and writer (mkgmap's dialect)
// and the binary reader and writer all go through it; the header's date is not content and stays
// with the binary codecs.
#include <cstdint>
#include <vector>

#include "typfile/draw_order.h"
#include "typfile/elements.h"

namespace kestrel::typ {

struct Identity {
    std::uint16_t familyId = 0;
    std::uint16_t productId = 0;
    // The code page of the labels: 1250 to 1258, 65001 (UTF-8), 0 (ASCII, mkgmap's default).
    std::uint16_t codePage = 0;

    bool operator==(const Identity&) const = default;
};

struct TypFile {
    Identity identity;
    DrawOrder drawOrder;
    // Each list in file order: the binary writer sorts by code (as mkgmap does, keeping the order
    // of equal codes), the binary reader gives the order of the file's index.
    std::vector<Polygon> polygons;
    std::vector<Line> lines;
    std::vector<Point> points;
    std::vector<IconSet> iconSets;
    std::vector<ActiveRoute> activeRoutes; // files of the long header form only

    bool operator==(const TypFile&) const = default;
};

} // namespace kestrel::typ
