#pragma once
// The MPS subfile of a gmapsupp.img: the map products it holds, which a device lists and which
// a TYP's family ID must name. Read from the files mkgmap writes:
//
// A run of records, each a kind byte, a 16-bit length and that many bytes of content:
//   'L' (0x4C) a map tile:  u16 product, u16 family ID, u32 map number, the series name, the
//                           map's description and the area name (each ending in a 0 byte),
//                           u32 map number again, u32 0;
//   'F' (0x46) a product:   u16 product, u16 family ID, the product's name ending in a 0 byte;
//   'V' (0x56) the map set: its name ending in a 0 byte, then one byte.
// Product and family ID lie at the same places in both kinds, as in a TDB header.
#include <cstdint>
#include <string_view>
#include <vector>

namespace kestrel::maptyp {

struct MapProduct {
    std::uint16_t familyId = 0;
    std::uint16_t product = 0;
    bool operator==(const MapProduct&) const = default;
};

// Adds the product unless the list holds it already.
void addProduct(std::vector<MapProduct>& to, MapProduct product);

// The products the MPS lists ('F'), each once, in order; the map tiles' ('L') when it lists
// none. Reading stops at a record that runs past the end.
std::vector<MapProduct> mpsProducts(std::string_view mps);

} // namespace kestrel::maptyp
