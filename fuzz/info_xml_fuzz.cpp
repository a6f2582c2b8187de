// Any bytes as a map package's Info.xml: the reader must neither crash nor read out of bounds,
// and a family ID it reports is the first <ID>'s whole number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "installed/info_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view xml(reinterpret_cast<const char*>(data), size);
    const auto info = kestrel::installed::readInfoXml(xml);
    if (const auto id = info.familyId()) {
        // Only leading zeros may differ ("0888" is 888, "000" is 0).
        const std::string& text = info.familyIdText;
        const auto first = text.find_first_not_of('0');
        if ((first == std::string::npos ? std::string("0") : text.substr(first)) !=
            std::to_string(*id))
            std::abort();
    }
    return 0;
}
