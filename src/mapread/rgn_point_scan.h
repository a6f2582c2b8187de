#pragma once
// The walk over the RGN subfile's extended point section, which finds each record's length from
// its flag bits (and, on NT maps, from a table of known cases and an end marker).
#include <cstdint>

#include "base/uiport.h"
#include "mapread/map_buffer.h"
#include "mapread/map_container.h"
#include "mapread/type_inventory.h"

namespace kestrel {

class RgnPointScan {
  public:
    RgnPointScan(const MapBuffer& buf, const MapContainer& map, TypeInventory& inv, UiPort& ui)
        : buf_(buf), map_(map), inv_(inv), ui_(ui) {}

    // `getpoi_extended`: adds "0x1TTSS " for every code not added by this scan before.
    void getpoi_extended();

  private:
    // Length of the record whose flag byte is at `flagsAt`; 0 when an NT record's extra length
    // is not known (the scan ends there).
    std::int64_t recordLength(std::int64_t flagsAt, std::uint32_t type, std::uint32_t flags,
                              bool& jumpToEnd) const;
    bool full() const;
    void addCompleted(const TypeCode& code);

    const MapBuffer& buf_;
    const MapContainer& map_;
    TypeInventory& inv_;
    UiPort& ui_;
};

} // namespace kestrel
