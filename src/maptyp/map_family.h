#pragma once
// The family ID and product of a map, which its TYP must carry: from the products its MPS subfile
// lists (a gmapsupp.img), else from the TDB file beside it (a map tile).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "imgfs/img_directory.h"
#include "maptyp/mps_products.h"

namespace kestrel::maptyp {

struct MapFamily {
    enum class Source : std::uint8_t { Mps, Tdb, None };
    Source source = Source::None;
    std::vector<MapProduct> products; // in the order found, each once

    // The family IDs of the products, each once.
    std::vector<std::uint16_t> familyIds() const;
    // The one product of the map's one family (its first product); nothing when the map names
    // no family or several.
    std::optional<MapProduct> sole() const;
};

// The family of the map at `path`, whose container is `bytes` with directory `dir`.
MapFamily mapFamily(const std::string& path, const img::MaskedBytes& bytes,
                    const img::Directory& dir);

} // namespace kestrel::maptyp
