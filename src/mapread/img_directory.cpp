#include "mapread/img_directory.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "imgfs/img_directory.h"

namespace kestrel {
namespace {

constexpr std::int64_t kGmpSignature = 2; // "GARMIN GMP" after the header length

// The subfiles a tile is read from, by type; the directory's other subfiles are passed over.
constexpr std::array<std::pair<std::string_view, ImgSubfile ImgTile::*>, 4> kKept{
    {{"TRE", &ImgTile::tre},
     {"RGN", &ImgTile::rgn},
     {"LBL", &ImgTile::lbl},
     {"GMP", &ImgTile::gmp}}};

ImgSubfile ImgTile::*keptAs(const std::string& type) {
    const auto kept =
        std::find_if(kKept.begin(), kKept.end(), [&](const auto& k) { return k.first == type; });
    return kept == kKept.end() ? nullptr : kept->second;
}

// Groups the kept subfiles by name into tiles, in the order the names first appear; a tile with
// a TRE or an RGN subfile but not both is left out with a note.
void gatherTiles(const img::Directory& from, ImgDirectory& dir) {
    std::unordered_map<std::string, std::size_t> tileIndex;
    for (const img::Subfile& s : from.subfiles) {
        const auto kept = keptAs(s.type);
        if (!kept) continue;
        auto [tile, isNew] = tileIndex.try_emplace(s.name, dir.tiles.size());
        if (isNew) dir.tiles.push_back({s.name, {}, {}, {}, {}});
        dir.tiles[tile->second].*kept = {true, s.held, s.runs};
    }
    std::vector<ImgTile> kept;
    for (ImgTile& t : dir.tiles) {
        if (t.gmp.found || (t.tre.found && t.rgn.found))
            kept.push_back(std::move(t));
        else if (t.tre.found || t.rgn.found)
            dir.notes.push_back({DecodeStop::MissingSubfile, t.name, "", -1});
    }
    dir.tiles = std::move(kept);
}

} // namespace

namespace {

// The runs, `base` bytes earlier: where they lie in a copy of the file from `base` on.
std::vector<ByteRange> movedBack(std::vector<ByteRange> ranges, std::int64_t base) {
    for (ByteRange& r : ranges) r.offset -= base;
    return ranges;
}

} // namespace

TileHeaders TileHeaders::of(const MapBuffer& bytes, const ImgTile& tile, std::int64_t base) {
    TileHeaders h;
    if (tile.nt()) {
        h.tre = h.rgn = SubfileView(bytes, movedBack(tile.gmp.ranges, base));
        h.treHeader = h.tre.bit4(gmp::kTreHeader);
        h.rgnHeader = h.tre.bit4(gmp::kRgnHeader);
        h.treName = h.rgnName = "GMP";
    } else {
        h.tre = SubfileView(bytes, movedBack(tile.tre.ranges, base));
        h.rgn = SubfileView(bytes, movedBack(tile.rgn.ranges, base));
    }
    return h;
}

ImgDirectory ImgDirectory::read(const MapBuffer& buf) {
    ImgDirectory dir;
    const img::MaskedBytes bytes(buf.stored(0, buf.size()), buf.key());
    if (img::Directory::isContainer(bytes)) {
        const img::Directory read = img::Directory::read(bytes);
        // The header's problems, and those of the subfiles the scan reads.
        for (const img::Problem& p : read.problems)
            if (p.type.empty() || keptAs(p.type))
                dir.notes.push_back(
                    {DecodeStop::DirectoryDamaged, p.name, "", p.at < buf.size() ? p.at : -1});
        gatherTiles(read, dir);
    } else if (bytes.text(kGmpSignature, 10) == "GARMIN GMP") {
        ImgTile tile;
        tile.gmp = {true, buf.size(), {{0, buf.size()}}};
        dir.tiles.push_back(std::move(tile));
    } else {
        dir.notes.push_back({DecodeStop::NotAContainer, "", "", -1});
    }
    return dir;
}

} // namespace kestrel
