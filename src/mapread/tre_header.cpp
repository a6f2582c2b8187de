#include "mapread/tre_header.h"

namespace kestrel {

TreHeader TreHeader::read(const MapBuffer& buf, std::int64_t treStart, std::int64_t extendedBase) {
    TreHeader h;
    const auto at = [&](std::int64_t field) { return treStart + field; };
    h.length = buf.bit2(at(tre::kHeaderLength));
    h.lines = {treStart + buf.bit4(at(tre::kLineOffset)), buf.bit4(at(tre::kLineSize)),
               buf.bit2(at(tre::kLineRecord))};
    h.polygons = {treStart + buf.bit4(at(tre::kPolygonOffset)), buf.bit4(at(tre::kPolygonSize)),
                  buf.bit2(at(tre::kPolygonRecord))};
    h.extended = {extendedBase + buf.bit4(at(tre::kExtendedOffset)),
                  buf.bit4(at(tre::kExtendedSize)), buf.bit2(at(tre::kExtendedRecord))};
    h.extendedLines = buf.bit2(at(tre::kExtendedLines));
    h.extendedPolygons = buf.bit2(at(tre::kExtendedPolygons));
    h.extendedPoints = buf.bit2(at(tre::kExtendedPoints));
    h.mapId = buf.bit4(at(tre::kMapId));
    return h;
}

} // namespace kestrel
