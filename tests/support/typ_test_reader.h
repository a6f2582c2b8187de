#pragma once
// An independent reader of binary TYP files, for the tests: those the generators write and those
// a TYP compiler makes of our texts. It knows the layout only from the documented tables (offsets
// written out here as numbers) and shares no code with the writer.
#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel::test {

class TypBytes {
  public:
    explicit TypBytes(std::string bytes) : b_(std::move(bytes)) {}

    std::size_t size() const { return b_.size(); }
    const std::string& bytes() const { return b_; }
    // Little-endian readers; past the end they give 0xFFFFFFFF so that a missing byte never
    // passes for a zero.
    std::uint32_t u8(std::size_t o) const {
        return o < b_.size() ? static_cast<unsigned char>(b_[o]) : 0xFFFFFFFFu;
    }
    std::uint32_t u16(std::size_t o) const { return le(o, 2); }
    std::uint32_t u24(std::size_t o) const { return le(o, 3); }
    std::uint32_t u32(std::size_t o) const { return le(o, 4); }
    std::string str(std::size_t o, std::size_t n) const {
        return o + n <= b_.size() ? b_.substr(o, n) : std::string();
    }
    // Hex dump "06 00 00 80 FF 04" of n bytes at o.
    std::string hexdump(std::size_t o, std::size_t n) const {
        static const char* d = "0123456789ABCDEF";
        std::string out;
        for (std::size_t k = 0; k < n && o + k < b_.size(); ++k) {
            if (k) out += ' ';
            const auto v = static_cast<unsigned char>(b_[o + k]);
            out += d[v >> 4];
            out += d[v & 15];
        }
        return out;
    }

  private:
    std::uint32_t le(std::size_t o, std::size_t n) const {
        if (o + n > b_.size()) return 0xFFFFFFFFu;
        std::uint32_t v = 0;
        for (std::size_t k = n; k-- > 0;) v = v << 8 | static_cast<unsigned char>(b_[o + k]);
        return v;
    }
    std::string b_;
};

// The colour text RRGGBB of three colour bytes stored blue, green, red at o.
inline std::string colourAt(const TypBytes& f, std::size_t o) {
    return f.hexdump(o + 2, 1) + f.hexdump(o + 1, 1) + f.hexdump(o, 1);
}

// Where the data and index of each short-header kind are described (offsets of the header table).
struct ShortFields {
    std::size_t dataOffset, dataLength, indexOffset, indexRecordSize, indexLength;
};
inline constexpr ShortFields kPoiFields{0x17, 0x1B, 0x33, 0x37, 0x39};
inline constexpr ShortFields kLineFields{0x1F, 0x23, 0x3D, 0x41, 0x43};
inline constexpr ShortFields kPolygonFields{0x27, 0x2B, 0x47, 0x4B, 0x4D};

// The polygon draw order, lowest level first, empty levels left out: per level the types
// (0x1300; 0x10D01 for an extended one). The section is described at 0x51 (offset, record size,
// length); a record is a type byte and a 32-bit mask of subtypes, 0 for a standard type, and a
// record of type 0 ends a level.
inline std::vector<std::vector<std::uint32_t>> drawOrderLevels(const TypBytes& f) {
    std::vector<std::vector<std::uint32_t>> levels(1);
    const std::uint64_t at = f.u32(0x51), size = f.u16(0x55), end = at + f.u32(0x57);
    for (std::uint64_t o = at; size >= 5 && o + size <= std::min<std::uint64_t>(end, f.size());
         o += size) {
        const std::uint32_t type = f.u8(o), mask = f.u32(o + 1);
        if (type == 0 && !levels.back().empty()) levels.emplace_back();
        if (type != 0 && mask == 0) levels.back().push_back(type << 8);
        for (std::uint32_t sub = 0; type != 0 && sub < 32; ++sub)
            if (mask >> sub & 1) levels.back().push_back(0x10000 | type << 8 | sub);
    }
    if (levels.back().empty()) levels.pop_back();
    return levels;
}

// One record of a compiled file: its type (0x1300; 0x10D01 for an extended one) and its bytes up
// to the next record.
struct TypRecord {
    std::uint32_t type;
    std::string bytes;
};

// A compiled file: the header's code page, family and product, and per kind (0 polygons, 1 lines,
// 2 points) the records of its index.
struct TypProbe {
    int codepage = 0;
    int fid = 0;
    int pid = 0;
    std::array<std::vector<TypRecord>, 3> records;

    const TypRecord* find(int kind, std::uint32_t type) const {
        for (const auto& r : records[static_cast<std::size_t>(kind)])
            if (r.type == type) return &r;
        return nullptr;
    }
};

// The records of one kind: an index item is a 16-bit word (type << 5 | subtype, 0x2000 marking
// an extended type) and the record's offset in the data section, in the rest of the item.
inline std::vector<TypRecord> compiledRecords(const TypBytes& f, const ShortFields& at) {
    const std::uint32_t data = f.u32(at.dataOffset), dataSize = f.u32(at.dataLength);
    const std::uint32_t index = f.u32(at.indexOffset), item = f.u16(at.indexRecordSize);
    const std::uint32_t indexSize = f.u32(at.indexLength);
    if (item < 3 || item > 6 || std::uint64_t{data} + dataSize > f.size() ||
        std::uint64_t{index} + indexSize > f.size())
        return {};
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries; // type, offset
    std::vector<std::uint32_t> offsets;
    for (std::uint32_t e = index; e + item <= index + indexSize; e += item) {
        const std::uint32_t word = f.u16(e), type = word >> 5 & 0xFF, sub = word & 0x1F;
        const std::uint32_t offset = item == 3   ? f.u8(e + 2)
                                     : item == 4 ? f.u16(e + 2)
                                     : item == 5 ? f.u24(e + 2)
                                                 : f.u32(e + 2);
        entries.push_back({(word & 0x2000 ? 0x10000 : 0) | type << 8 | sub, offset});
        offsets.push_back(offset);
    }
    std::sort(offsets.begin(), offsets.end());
    std::vector<TypRecord> out;
    for (const auto& [type, offset] : entries) {
        const auto next = std::upper_bound(offsets.begin(), offsets.end(), offset);
        const std::uint32_t end = next == offsets.end() ? dataSize : *next;
        out.push_back({type, f.bytes().substr(data + offset, end - offset)});
    }
    return out;
}

inline std::optional<TypProbe> probeTyp(const std::string& bytes) {
    const TypBytes f(bytes);
    if (f.size() < 0x5B || f.str(2, 10) != "GARMIN TYP") return std::nullopt;
    TypProbe p;
    p.codepage = static_cast<int>(f.u16(0x15));
    p.fid = static_cast<int>(f.u16(0x2F));
    p.pid = static_cast<int>(f.u16(0x31));
    p.records = {compiledRecords(f, kPolygonFields), compiledRecords(f, kLineFields),
                 compiledRecords(f, kPoiFields)};
    return p;
}

} // namespace kestrel::test
