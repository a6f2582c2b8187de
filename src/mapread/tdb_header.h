#pragma once
// The map family's TDB file: the product code and family ID a TYP file must carry.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/uiport.h"
#include "mapread/map_state.h"

namespace kestrel {

struct TdbHeader {
    static constexpr std::size_t kProductCode = 3; // 3-4, unsigned 16-bit
    static constexpr std::size_t kFamilyId = 5;    // 5-6, unsigned 16-bit

    std::uint16_t productCode = 0;
    std::uint16_t familyId = 0;

    // Nothing when the bytes are too short to hold both values.
    static std::optional<TdbHeader> parse(std::string_view bytes);
};

// The TDB files ("*.tdb", any case) in the folder of the map at `realPath`, sorted by name.
std::vector<std::string> tdbFilesBeside(const std::string& realPath);

// `loadtdb`: looks for the TDB file in the folder of the map at `realPath` and fills the FID and
// product-code fields, or tells the user why it cannot (not for the bundled `sampleMap`).
void loadtdb(MapFields& fields, UiPort& ui, const std::string& realPath,
             const std::string& sampleMap);

} // namespace kestrel
