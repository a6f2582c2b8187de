// Any bytes as a Wine "system.reg" file: the parser must neither crash nor read out of bounds,
// and every key it returns lies below the roots asked for.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "base/text.h"
#include "installed/wine_registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static const std::vector<std::string> kRoots{"Software\\Garmin",
                                                 "Software\\Wow6432Node\\Garmin"};
    for (const auto& key : kestrel::installed::parseSystemReg(text, kRoots)) {
        const std::string path = kestrel::lcase(key.path);
        if (!kestrel::startsWith(path, "software\\garmin") &&
            !kestrel::startsWith(path, "software\\wow6432node\\garmin"))
            std::abort();
    }
    return 0;
}
