#include "mapread/map_container.h"

#include "base/text.h"

namespace kestrel {

bool MapContainer::fngmp() const {
    return gmpFound || contains(lcase(name), ".gmp");
}

} // namespace kestrel
