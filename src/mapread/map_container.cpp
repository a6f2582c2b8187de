#include "mapread/map_container.h"

#include "app/text.h"

namespace kestrel {

bool MapContainer::fngmp() const {
    return gmpFound || contains(lcase(name), ".gmp");
}

} // namespace kestrel
