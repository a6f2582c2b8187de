#pragma once
// Builds small map files byte by byte: "GARMIN RGN/TRE/GMP" headers at chosen offsets, header
// fields, overview tables and RGN extended sections, optionally XOR-masked.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kestrel::test {

using Bytes = std::vector<std::uint8_t>;

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ImgBuilder {
  public:
    explicit ImgBuilder(std::size_t size = 0x1000) : bytes_(size, '\0') {}

    ImgBuilder& put1(std::int64_t at, std::uint32_t v) {
        grow(at + 1);
        bytes_[static_cast<std::size_t>(at)] = static_cast<char>(v & 0xFF);
        return *this;
    }
    ImgBuilder& put2(std::int64_t at, std::uint32_t v) { return put1(at, v).put1(at + 1, v >> 8); }
    ImgBuilder& put4(std::int64_t at, std::uint32_t v) {
        return put2(at, v & 0xFFFF).put2(at + 2, v >> 16);
    }
    ImgBuilder& putBytes(std::int64_t at, const std::vector<std::uint8_t>& b) {
        for (std::size_t i = 0; i < b.size(); ++i) put1(at + static_cast<std::int64_t>(i), b[i]);
        return *this;
    }
    ImgBuilder& putText(std::int64_t at, std::string_view t) {
        for (std::size_t i = 0; i < t.size(); ++i)
            put1(at + static_cast<std::int64_t>(i), static_cast<unsigned char>(t[i]));
        return *this;
    }
    // A subfile header at `at`: its 16-bit length, then "GARMIN " + kind.
    ImgBuilder& header(std::int64_t at, std::string_view kind, std::uint32_t length) {
        put2(at, length);
        return putText(at + 2, std::string("GARMIN ") + std::string(kind));
    }

    // The file as stored; with a key every byte is XORed with it (byte 0 must be 0 so that
    // the stored first byte is the key).
    std::string bytes(std::uint8_t key = 0) const {
        std::string r = bytes_;
        for (char& c : r) c = static_cast<char>(static_cast<unsigned char>(c) ^ key);
        return r;
    }

  private:
    void grow(std::int64_t end) {
        if (end > static_cast<std::int64_t>(bytes_.size()))
            bytes_.resize(static_cast<std::size_t>(end), '\0');
    }
    std::string bytes_;
};

// A one-tile map with fixed places: RGN header at 0x100, TRE header at 0x200, tables from 0x800.
// Offsets in the headers are written relative to the right base.
class SyntheticMap {
  public:
    static constexpr std::int64_t kRgn = 0x100;
    static constexpr std::int64_t kTre = 0x200;
    static constexpr std::int64_t kLines = 0x800;
    static constexpr std::int64_t kPolygons = 0x900;
    static constexpr std::int64_t kExtended = 0xA00;
    static constexpr std::int64_t kRgnPolygons = 0xB00;
    static constexpr std::int64_t kRgnLines = 0xC00;
    static constexpr std::int64_t kRgnPoints = 0xD00;

    // Header fields are placed by their offsets as numbers, not the reader's names for them, so
    // that a wrong offset in the reader fails the tests.
    SyntheticMap() {
        img.header(kRgn, "RGN", 0x7D); // long enough for all three extended sections
        img.header(kTre, "TRE", 0x9A);
        img.put4(kTre + 0x74, 63240101); // 0x74-0x77: map ID
    }

    // Line overview records (type bytes), record size 3.
    SyntheticMap& lines(const std::vector<std::uint8_t>& types, std::uint32_t record = 3) {
        for (std::size_t i = 0; i < types.size(); ++i)
            img.put1(kLines + static_cast<std::int64_t>(i * record), types[i]);
        return lineTable(kLines - kTre, static_cast<std::uint32_t>(types.size() * record), record);
    }
    // 0x4A-0x4D offset from the TRE header, 0x4E-0x51 size, 0x52-0x53 record size.
    SyntheticMap& lineTable(std::int64_t offset, std::uint32_t size, std::uint32_t record) {
        return overview(0x4A, offset, size, record);
    }
    // Polygon overview records: type and level pairs, record size 2.
    SyntheticMap& polygons(const std::vector<std::pair<std::uint8_t, std::uint8_t>>& records,
                           std::uint32_t record = 2) {
        for (std::size_t i = 0; i < records.size(); ++i) {
            const auto at = kPolygons + static_cast<std::int64_t>(i * record);
            img.put1(at, records[i].first).put1(at + 1, records[i].second);
        }
        return polygonTable(kPolygons - kTre, static_cast<std::uint32_t>(records.size() * record),
                            record);
    }
    // 0x58-0x5B offset from the TRE header, 0x5C-0x5F size, 0x60-0x61 record size.
    SyntheticMap& polygonTable(std::int64_t offset, std::uint32_t size, std::uint32_t record) {
        return overview(0x58, offset, size, record);
    }
    // Extended overview records (type, level, subtype), record size 3, with the three counts;
    // the offset counts from `base` (the TRE header, or the GMP header of an NT map).
    SyntheticMap& extended(const std::vector<std::vector<std::uint8_t>>& records, std::uint32_t nL,
                           std::uint32_t nP, std::uint32_t nT, std::int64_t base = kTre) {
        for (std::size_t i = 0; i < records.size(); ++i)
            img.putBytes(kExtended + static_cast<std::int64_t>(i * 3), records[i]);
        // 0x8A-0x8D offset, 0x8E-0x91 size, 0x92-0x93 record size, then the line, polygon and
        // point counts: 0x94-0x95, 0x96-0x97, 0x98-0x99.
        overview(0x8A, kExtended - base, static_cast<std::uint32_t>(records.size() * 3), 3);
        img.put2(kTre + 0x94, nL).put2(kTre + 0x96, nP).put2(kTre + 0x98, nT);
        return *this;
    }
    // RGN extended sections; offsets count from `base` (RGN header, or GMP header on NT maps).
    // Offset and size: polygons 0x1D-0x20 and 0x21-0x24, lines 0x39-0x3C and 0x3D-0x40, points
    // 0x55-0x58 and 0x59-0x5C.
    SyntheticMap& rgnPolygons(const std::vector<std::uint8_t>& data, std::int64_t base = kRgn) {
        return section(0x1D, kRgnPolygons, data, base);
    }
    SyntheticMap& rgnLines(const std::vector<std::uint8_t>& data, std::int64_t base = kRgn) {
        return section(0x39, kRgnLines, data, base);
    }
    SyntheticMap& rgnPoints(const std::vector<std::uint8_t>& data, std::int64_t base = kRgn) {
        return section(0x55, kRgnPoints, data, base);
    }

    std::string bytes(std::uint8_t key = 0) const { return img.bytes(key); }

    ImgBuilder img;

  private:
    // A TRE table: its offset, size and record size in consecutive fields from `field`.
    SyntheticMap& overview(std::int64_t field, std::int64_t offset, std::uint32_t size,
                           std::uint32_t record) {
        img.put4(kTre + field, static_cast<std::uint32_t>(offset)).put4(kTre + field + 4, size);
        img.put2(kTre + field + 8, record);
        return *this;
    }
    // An RGN section: its offset in the field, its size in the next one.
    SyntheticMap& section(std::int64_t field, std::int64_t at,
                          const std::vector<std::uint8_t>& data, std::int64_t base) {
        img.putBytes(at, data);
        img.put4(kRgn + field, static_cast<std::uint32_t>(at - base));
        img.put4(kRgn + field + 4, static_cast<std::uint32_t>(data.size()));
        return *this;
    }
};

} // namespace kestrel::test
