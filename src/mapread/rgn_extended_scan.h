#pragma once
// The walk over the RGN subfile's extended polygon and line sections, record by record.
#include "base/uiport.h"
#include "mapread/map_buffer.h"
#include "mapread/map_container.h"
#include "mapread/type_inventory.h"

namespace kestrel {

class RgnExtendedScan {
  public:
    RgnExtendedScan(const MapBuffer& buf, const MapContainer& map, TypeInventory& inv, UiPort& ui)
        : buf_(buf), map_(map), inv_(inv), ui_(ui) {}

    // `getrgn_beyond`: kind 0 walks the extended polygon section, kind 1 the line section, and
    // adds the codes not listed yet, marked " *".
    void getrgn_beyond(int kind);

    // `bombout`: records the code at which a walk stopped, without a marker.
    static void bombout(TypeInventory& inv, int kind, const TypeCode& code);

    // The size of a record's point data from its length bytes L and M (and the 16-bit value at
    // record offset 6 for even L): data length and number of extra length bytes. A length of 0
    // means the record cannot be sized.
    struct PointData {
        std::uint32_t len = 0;
        std::uint32_t lf = 0;
    };
    static PointData pointData(std::uint32_t l, std::uint32_t m, std::uint32_t value16);

    // "0x1TTSS" for a record's type byte and subtype.
    static TypeCode extendedCode(std::uint32_t type, std::uint32_t subtype) {
        return TypeCode(0x10000 | type << 8 | subtype, CodeDigits::Extended);
    }

  private:
    const MapBuffer& buf_;
    const MapContainer& map_;
    TypeInventory& inv_;
    UiPort& ui_;
};

} // namespace kestrel
