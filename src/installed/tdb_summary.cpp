#include "installed/tdb_summary.h"

#include <fstream>

#include "base/paths.h"
#include "base/platform/platform.h"

namespace kestrel::installed {

std::optional<TdbSummary> readTdbHead(std::string_view head) {
    head = head.substr(0, kTdbHeadBytes);
    if (head.size() < kTdbFamilyId + 2 || head[0] != kTdbBlockType) return std::nullopt;
    const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(head[at]); };
    TdbSummary s;
    s.productCode =
        static_cast<std::uint16_t>(byte(kTdbProductCode + 1) << 8 | byte(kTdbProductCode));
    s.familyId = static_cast<std::uint16_t>(byte(kTdbFamilyId + 1) << 8 | byte(kTdbFamilyId));
    if (head.size() > kTdbFamilyName) {
        const std::string_view rest = head.substr(kTdbFamilyName);
        s.familyName = std::string(rest.substr(0, rest.find('\0')));
    }
    return s;
}

std::optional<TdbSummary> get_tdb(const std::string& path) {
    if (!fileExists(path)) return std::nullopt;
    std::ifstream f(platform::fsPath(path), std::ios::binary);
    if (!f) return std::nullopt;
    std::string head(kTdbHeadBytes, '\0');
    f.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(f.gcount()));
    return readTdbHead(head);
}

} // namespace kestrel::installed
