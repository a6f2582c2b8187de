#include "imgfs/img_directory.h"

#include <optional>
#include <unordered_map>
#include <utility>

#include "imgfs/img_layout.h"

namespace kestrel::img {
namespace {

// Block numbers are 16 bits and 0xFFFF ends a list, so a sound directory never lists more
// blocks, or more subfiles holding bytes, than this.
constexpr std::size_t kMaxListed = 0x10000;
constexpr std::string_view kDiskSignature{"DSKIMG\0", 7};

class Reader {
  public:
    Reader(const MaskedBytes& bytes, Directory& dir) : bytes_(bytes), dir_(dir) {}

    void read() {
        const int exponent = bytes_.u8(kBlockExponent1) + bytes_.u8(kBlockExponent2);
        if (exponent < kMinBlockExponent || exponent > kMaxBlockExponent)
            return problem(Fault::BlockSize, kBlockExponent1);
        dir_.blockExponent = exponent;
        dir_.blockSize = std::int64_t(1) << exponent;
        std::int64_t at = kFirstEntry;
        while (holdsEntry(at) && bytes_.u8(at + kEntryFlag) == 0) at += kEntryBytes;
        if (!holdsEntry(at)) return problem(Fault::NoDirectory, kFirstEntry);
        dir_.headerEntry = at;
        dir_.end = bytes_.u32(at + kEntryFileSize);
        if (dir_.end > bytes_.size()) {
            problem(Fault::DirectoryPastEnd, at + kEntryFileSize);
            dir_.end = bytes_.size();
        }
        for (at += kEntryBytes; at + kEntryBytes <= dir_.end; at += kEntryBytes)
            if (!entry(at)) break;
        // The blocks the header's own entry lists hold no subfile.
        used_.assign(kMaxListed, false);
        for (int i = 0; i < kBlocksPerEntry; ++i) {
            const std::uint32_t block = bytes_.u16(dir_.headerEntry + kEntryBlocks + 2 * i);
            if (block == kNoBlock) break;
            used_[block] = true;
        }
        for (Subfile& s : dir_.subfiles) place(s);
    }

  private:
    bool holdsEntry(std::int64_t at) const { return at + kEntryBytes <= bytes_.size(); }

    void problem(Fault fault, std::int64_t at, std::string name = {}, std::string type = {}) {
        dir_.problems.push_back({fault, at, std::move(name), std::move(type)});
    }

    // Reads one entry; false when the directory lists more than it could hold.
    bool entry(std::int64_t at) {
        if (bytes_.u8(at + kEntryFlag) == 0) return true;
        std::string name = bytes_.text(at + kEntryName, kNameBytes);
        std::string type = bytes_.text(at + kEntryType, kTypeBytes);
        const std::uint32_t part = bytes_.u16(at + kEntryPart);
        const auto found = byKey_.find(name + type);
        // A further part: numbered, or numbered 0 again after 256 parts (mkgmap counts in a byte).
        const bool further =
            found != byKey_.end() && (part != 0 || dir_.subfiles[found->second].parts % 256 == 0);
        if (!further) {
            std::optional<Fault> refused;
            if (found != byKey_.end())
                refused = Fault::SubfileTwice;
            else if (part != 0)
                refused = Fault::PartWithoutStart;
            else if (dir_.subfiles.size() == kMaxListed)
                refused = Fault::TooManyEntries;
            if (refused) {
                problem(*refused, at, name, type);
                return refused != Fault::TooManyEntries;
            }
            byKey_.emplace(name + type, dir_.subfiles.size());
            Subfile s;
            s.name = std::move(name);
            s.type = std::move(type);
            s.size = bytes_.u32(at + kEntryFileSize);
            s.entry = at;
            dir_.subfiles.push_back(std::move(s));
        }
        Subfile& s = dir_.subfiles[further ? found->second : dir_.subfiles.size() - 1];
        ++s.parts;
        for (int i = 0; i < kBlocksPerEntry; ++i) {
            const std::uint32_t block = bytes_.u16(at + kEntryBlocks + 2 * i);
            if (block == kNoBlock) break;
            if (++listed_ > kMaxListed) {
                problem(Fault::TooManyEntries, at, s.name, s.type);
                return false;
            }
            s.blocks.push_back(static_cast<std::uint16_t>(block));
        }
        return true;
    }

    // Turns a subfile's blocks into runs of the file, as far as they go: up to a block outside
    // the file or one that the header, the directory or another subfile already holds (a loop, or
    // subfiles overlapping: either way no byte of the file belongs to two subfiles).
    void place(Subfile& s) {
        const std::int64_t bs = dir_.blockSize;
        std::int64_t left = s.size;
        for (const std::uint16_t block : s.blocks) {
            if (left == 0) break;
            const std::int64_t start = block * bs;
            const std::int64_t take = left < bs ? left : bs;
            if (used_[block] || start + take > bytes_.size()) break;
            used_[block] = true;
            if (!s.runs.empty() && s.runs.back().offset + s.runs.back().length == start)
                s.runs.back().length += take;
            else
                s.runs.push_back({start, take});
            s.held += take;
            left -= take;
        }
        if (left > 0) problem(Fault::BlocksDamaged, s.entry, s.name, s.type);
    }

    const MaskedBytes& bytes_;
    Directory& dir_;
    std::unordered_map<std::string, std::size_t> byKey_; // name + type to subfile
    std::size_t listed_ = 0;                             // blocks listed so far
    std::vector<bool> used_;                             // per block: held already
};

} // namespace

bool Directory::isContainer(const MaskedBytes& bytes) {
    return bytes.text(kSignature, static_cast<std::int64_t>(kDiskSignature.size())) ==
           kDiskSignature;
}

Directory Directory::read(const MaskedBytes& bytes) {
    Directory dir;
    dir.key = bytes.key();
    Reader(bytes, dir).read();
    return dir;
}

std::vector<const Subfile*> Directory::ofType(std::string_view type) const {
    std::vector<const Subfile*> found;
    for (const Subfile& s : subfiles)
        if (s.type == type) found.push_back(&s);
    return found;
}

std::string shortName(std::string_view name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.remove_suffix(1);
    return std::string(name);
}

std::string fileName(std::string_view name, std::string_view type) {
    return shortName(name) + "." + std::string(type);
}

} // namespace kestrel::img
