#include "mapread/img_directory.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace kestrel {
namespace {

constexpr int kMinBlockExponent = 9; // 512-byte blocks
constexpr int kMaxBlockExponent = 30;
constexpr std::int64_t kGmpSignature = 2; // "GARMIN GMP" after the header length

// The subfiles a tile is read from, by type; the directory's other entries are passed over.
constexpr std::array<std::pair<std::string_view, ImgSubfile ImgTile::*>, 4> kKept{
    {{"TRE", &ImgTile::tre},
     {"RGN", &ImgTile::rgn},
     {"LBL", &ImgTile::lbl},
     {"GMP", &ImgTile::gmp}}};

bool textAt(const MapBuffer& buf, std::int64_t at, std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i)
        if (buf.dat(at + static_cast<std::int64_t>(i)) != static_cast<std::uint8_t>(text[i]))
            return false;
    return true;
}

std::string textOf(const MapBuffer& buf, std::int64_t at, int n) {
    std::string s;
    for (int i = 0; i < n; ++i) s += static_cast<char>(buf.dat(at + i));
    return s;
}

// A subfile while its entries are read: its size and its blocks so far. Further parts (any part
// number but 0; writers number them differently) add their blocks in the order of the entries.
struct Pending {
    std::size_t tile = 0;
    ImgSubfile ImgTile::*subfile = nullptr;
    std::int64_t entry = 0; // file offset of its first entry, for notes
    std::int64_t size = 0;
    std::vector<std::uint16_t> blocks;
};

class DirectoryReader {
  public:
    DirectoryReader(const MapBuffer& buf, ImgDirectory& dir) : buf_(buf), dir_(dir) {}

    void read() {
        const int exponent = buf_.dat(img::kBlockExponent1) + buf_.dat(img::kBlockExponent2);
        if (exponent < kMinBlockExponent || exponent > kMaxBlockExponent)
            return note("", img::kBlockExponent1);
        dir_.blockSize = 1u << exponent;
        // The first entry in use describes the directory itself: its size is where it ends.
        std::int64_t at = img::kFirstEntry;
        while (holdsEntry(at) && buf_.dat(at + img::kEntryFlag) == 0) at += img::kEntryBytes;
        if (!holdsEntry(at)) return note("", img::kFirstEntry);
        std::int64_t end = buf_.bit4(at + img::kEntryFileSize) & 0xFFFFFFFFll;
        if (end > buf_.size()) {
            note("", at + img::kEntryFileSize);
            end = buf_.size();
        }
        for (at += img::kEntryBytes; at + img::kEntryBytes <= end; at += img::kEntryBytes)
            entry(at);
        used_.assign(std::size_t(1) << 16, false);
        for (Pending& p : pending_) place(p);
        keepTiles();
    }

  private:
    bool holdsEntry(std::int64_t at) const { return at + img::kEntryBytes <= buf_.size(); }

    void note(const std::string& tile, std::int64_t at) {
        dir_.notes.push_back({DecodeStop::DirectoryDamaged, tile, "", at < buf_.size() ? at : -1});
    }

    void entry(std::int64_t at) {
        if (buf_.dat(at + img::kEntryFlag) == 0) return;
        const std::string name = textOf(buf_, at + img::kEntryName, 8);
        const std::string type = textOf(buf_, at + img::kEntryType, 3);
        const auto kept = std::find_if(kKept.begin(), kKept.end(),
                                       [&](const auto& k) { return k.first == type; });
        if (kept == kKept.end()) return;
        const std::uint32_t part = buf_.bit2(at + img::kEntryPart);
        const std::string key = name + type;
        auto found = byKey_.find(key);
        if (part == 0) {
            if (found != byKey_.end()) return note(name, at);
            auto [tile, isNew] = tileIndex_.try_emplace(name, dir_.tiles.size());
            if (isNew) dir_.tiles.push_back({name, {}, {}, {}, {}});
            found = byKey_.emplace(key, pending_.size()).first;
            Pending p;
            p.tile = tile->second;
            p.subfile = kept->second;
            p.entry = at;
            p.size = buf_.bit4(at + img::kEntryFileSize) & 0xFFFFFFFFll;
            pending_.push_back(std::move(p));
        } else if (found == byKey_.end()) {
            return note(name, at);
        }
        Pending& p = pending_[found->second];
        for (int i = 0; i < img::kBlocksPerEntry; ++i) {
            const std::uint32_t block = buf_.bit2(at + img::kEntryBlocks + 2 * i);
            if (block == img::kNoBlock) break;
            p.blocks.push_back(static_cast<std::uint16_t>(block));
        }
    }

    // Turns a subfile's blocks into runs of the file, stopping at a block outside the file or one
    // that this or another subfile already holds (a loop, or subfiles overlapping: either way no
    // byte of the file is decoded twice).
    void place(Pending& p) {
        ImgTile& tile = dir_.tiles[p.tile];
        ImgSubfile& sub = tile.*p.subfile;
        sub.found = true;
        const std::int64_t bs = dir_.blockSize;
        std::int64_t left = p.size;
        for (const std::uint16_t block : p.blocks) {
            if (left == 0) break;
            const std::int64_t start = block * bs;
            const std::int64_t take = left < bs ? left : bs;
            if (used_[block] || start + take > buf_.size()) break;
            used_[block] = true;
            if (!sub.ranges.empty() && sub.ranges.back().offset + sub.ranges.back().length == start)
                sub.ranges.back().length += take;
            else
                sub.ranges.push_back({start, take});
            sub.size += take;
            left -= take;
        }
        if (left > 0) note(tile.name, p.entry);
    }

    void keepTiles() {
        std::vector<ImgTile> kept;
        for (ImgTile& t : dir_.tiles) {
            if (t.gmp.found || (t.tre.found && t.rgn.found))
                kept.push_back(std::move(t));
            else if (t.tre.found || t.rgn.found)
                dir_.notes.push_back({DecodeStop::MissingSubfile, t.name, "", -1});
        }
        dir_.tiles = std::move(kept);
    }

    const MapBuffer& buf_;
    ImgDirectory& dir_;
    std::vector<Pending> pending_;
    std::unordered_map<std::string, std::size_t> byKey_;     // name + type to pending
    std::unordered_map<std::string, std::size_t> tileIndex_; // name to tile
    std::vector<bool> used_;                                 // per block number: a subfile holds it
};

} // namespace

ImgDirectory ImgDirectory::read(const MapBuffer& buf) {
    ImgDirectory dir;
    if (textAt(buf, img::kSignature, std::string_view("DSKIMG\0", 7))) {
        DirectoryReader(buf, dir).read();
    } else if (textAt(buf, kGmpSignature, "GARMIN GMP")) {
        ImgTile tile;
        tile.gmp = {true, buf.size(), {{0, buf.size()}}};
        dir.tiles.push_back(std::move(tile));
    } else {
        dir.notes.push_back({DecodeStop::NotAContainer, "", "", -1});
    }
    return dir;
}

} // namespace kestrel
