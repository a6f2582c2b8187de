#include "mapread/tdb_header.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

#include "base/files.h"
#include "base/paths.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "mapread/messages.h"

namespace kestrel {
namespace {

constexpr int kRandomFidFirst = 2143;
constexpr int kRandomFidCount = 6000;

std::uint16_t u16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      static_cast<std::uint8_t>(b[at + 1]) << 8);
}

// The "*.tdb" files of a folder (any case of the extension), sorted by name.
std::vector<std::string> tdbFiles(const std::string& folder) {
    std::vector<std::string> names;
    for (const FolderEntry& e : folderEntries(folder.empty() ? "." : folder))
        if (e.regularFile && endsWith(lcase(e.name), ".tdb")) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
}

// The first bytes of the file, as many as the header needs.
std::string readHead(const std::string& path) {
    std::string head(TdbHeader::kFamilyId + 2, '\0');
    std::ifstream f(platform::fsPath(path), std::ios::binary);
    f.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, f.gcount())));
    return head;
}

bool sameFile(const std::string& a, const std::string& b) {
    if (normalisePath(a) == normalisePath(b)) return true;
    std::error_code ec;
    return std::filesystem::equivalent(platform::fsPath(a), platform::fsPath(b), ec) && !ec;
}

} // namespace

std::optional<TdbHeader> TdbHeader::parse(std::string_view bytes) {
    if (bytes.size() < kFamilyId + 2) return std::nullopt;
    return TdbHeader{u16(bytes, kProductCode), u16(bytes, kFamilyId)};
}

void loadtdb(MapFields& f, UiPort& ui, const std::string& realPath, const std::string& sampleMap) {
    ui.setStopflag(false);
    f.fieldsLocked = false;
    // The folder the map lies in: cutting the path at the first occurrence of the map's base
    // name would pick a folder above it whenever that folder's name contains the base name.
    const std::string folder = folderOf(realPath, "");
    const std::vector<std::string> found = tdbFiles(folder);
    if (found.size() == 1) {
        f.tdbFile = joinPath(folder, found.front());
        ui.busy(true);
        const auto header = TdbHeader::parse(readHead(f.tdbFile));
        if (header) {
            f.productCode = std::to_string(header->productCode);
            f.fid = std::to_string(header->familyId);
            f.fieldsLocked = true;
        }
        ui.busy(false);
    } else if (found.size() > 1) {
        ui.message(std::string(msg::kMultipleTdb));
        std::random_device rd;
        std::mt19937 gen(rd());
        std::uniform_int_distribution<int> pick(0, kRandomFidCount - 1);
        f.fid = std::to_string(kRandomFidFirst + pick(gen));
    } else if (!sameFile(realPath, sampleMap)) {
        ui.message(std::string(msg::kNoFid));
    }
}

} // namespace kestrel
