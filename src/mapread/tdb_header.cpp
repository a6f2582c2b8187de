#include "mapread/tdb_header.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/messages.h"

namespace fs = std::filesystem;

namespace kestrel {
namespace {

constexpr int kRandomFidFirst = 2143;
constexpr int kRandomFidCount = 6000;

std::uint16_t u16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      static_cast<std::uint8_t>(b[at + 1]) << 8);
}

// The same file, or the same path to one that may not exist.
bool samePath(const std::string& a, const std::string& b) {
    return normalisePath(a) == normalisePath(b) || sameFile(a, b);
}

} // namespace

std::vector<std::string> tdbFilesBeside(const std::string& realPath) {
    // The folder the map lies in: cutting the path at the first occurrence of the map's base
    // name would pick a folder above it whenever that folder's name contains the base name.
    const std::string folder = folderOf(realPath, "");
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder.empty() ? "." : folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code fec;
        if (!it->is_regular_file(fec)) continue;
        const std::string name = it->path().filename().string();
        if (endsWith(lcase(name), ".tdb")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (std::string& name : names) name = joinPath(folder, name);
    return names;
}

std::optional<TdbHeader> TdbHeader::parse(std::string_view bytes) {
    if (bytes.size() < kFamilyId + 2) return std::nullopt;
    return TdbHeader{u16(bytes, kProductCode), u16(bytes, kFamilyId)};
}

void loadtdb(MapFields& f, UiPort& ui, const std::string& realPath, const std::string& sampleMap) {
    ui.setStopflag(false);
    f.fieldsLocked = false;
    const std::vector<std::string> found = tdbFilesBeside(realPath);
    if (found.size() == 1) {
        f.tdbFile = found.front();
        ui.busy(true);
        const auto header =
            TdbHeader::parse(readFileHead(f.tdbFile, TdbHeader::kFamilyId + 2).value_or(""));
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
    } else if (!samePath(realPath, sampleMap)) {
        ui.message(std::string(msg::kNoFid));
    }
}

} // namespace kestrel
