#include "maptyp/map_family.h"

#include <algorithm>

#include "base/files.h"
#include "base/platform/platform.h"
#include "mapread/tdb_header.h"

namespace kestrel::maptyp {
namespace {

// An MPS lists a few records per tile: a map of 10,000 tiles needs less than this.
constexpr std::int64_t kMpsLimit = std::int64_t(4) << 20;

} // namespace

std::vector<std::uint16_t> MapFamily::familyIds() const {
    std::vector<std::uint16_t> ids;
    for (const MapProduct& p : products)
        if (std::find(ids.begin(), ids.end(), p.familyId) == ids.end()) ids.push_back(p.familyId);
    return ids;
}

std::optional<MapProduct> MapFamily::sole() const {
    if (familyIds().size() != 1) return std::nullopt;
    return products.front();
}

MapFamily mapFamily(const std::string& path, const img::MaskedBytes& bytes,
                    const img::Directory& dir) {
    MapFamily family;
    for (const img::Subfile* mps : dir.ofType("MPS")) {
        family.source = MapFamily::Source::Mps;
        for (const MapProduct& p : mpsProducts(bytes.gather(mps->runs, kMpsLimit)))
            addProduct(family.products, p);
    }
    if (family.source == MapFamily::Source::Mps) return family;
    for (const std::string& tdb : tdbFilesBeside(platform::fullPath(path))) {
        const auto header =
            TdbHeader::parse(readFileHead(tdb, TdbHeader::kFamilyId + 2).value_or(""));
        if (!header) continue;
        family.source = MapFamily::Source::Tdb;
        addProduct(family.products, {header->familyId, header->productCode});
    }
    return family;
}

} // namespace kestrel::maptyp
