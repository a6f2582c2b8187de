// Any bytes through the small readers: the TDB header and the version page.
// None may crash or read out of bounds; their results must keep their own promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "mapread/tdb_header.h"
#include "update/update_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const auto tdb = kestrel::TdbHeader::parse(bytes);
    if (tdb.has_value() != (size >= 7)) std::abort();

    const auto outcome = kestrel::readVersionPage(bytes, 5.1f);
    if (const auto* update = std::get_if<kestrel::UpdateAvailable>(&outcome))
        if (update->version.empty() || update->version[0] < '0' || update->version[0] > '9')
            std::abort();

    return 0;
}
