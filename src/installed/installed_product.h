#pragma once
// One entry of the product list: what the scans found and where its map files lie.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel::installed {

// Where a product was found, in scan order.
enum class ProductSource {
    Families,    // 0: registry, MapSource families
    FamiliesNt,  // 1: registry, MapSource NT families
    Products,    // 2: registry, MapSource products
    Installed,   // 3: registry, installed products
    MapPackages, // 4: ".gmap" folders of the shared map folder
    Devices,     // then: Garmin devices mounted as storage
};

// Short name of the source, as the command line prints it.
std::string_view sourceName(ProductSource source);

struct InstalledProduct {
    std::string name;   // entry of the product list
    std::string folder; // folder whose map files are offered
    std::optional<std::uint16_t> familyId;
    ProductSource source = ProductSource::Families;
};

} // namespace kestrel::installed
