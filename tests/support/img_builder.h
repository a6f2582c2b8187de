#pragma once
// Builds small map files byte by byte: "GARMIN RGN/TRE/GMP" headers at chosen offsets, header
// fields, overview tables and RGN extended sections, optionally XOR-masked.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "mapread/rgn_header.h"
#include "mapread/tre_header.h"

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

    SyntheticMap() {
        img.header(kRgn, "RGN", rgn::kMinLengthForPoints);
        img.header(kTre, "TRE", 0x9A);
        img.put4(kTre + tre::kMapId, 63240101);
    }

    // Line overview records (type bytes), record size 3.
    SyntheticMap& lines(const std::vector<std::uint8_t>& types, std::uint32_t record = 3) {
        for (std::size_t i = 0; i < types.size(); ++i)
            img.put1(kLines + static_cast<std::int64_t>(i * record), types[i]);
        return lineTable(kLines - kTre, static_cast<std::uint32_t>(types.size() * record), record);
    }
    SyntheticMap& lineTable(std::int64_t offset, std::uint32_t size, std::uint32_t record) {
        img.put4(kTre + tre::kLineOffset, static_cast<std::uint32_t>(offset));
        img.put4(kTre + tre::kLineSize, size);
        img.put2(kTre + tre::kLineRecord, record);
        return *this;
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
    SyntheticMap& polygonTable(std::int64_t offset, std::uint32_t size, std::uint32_t record) {
        img.put4(kTre + tre::kPolygonOffset, static_cast<std::uint32_t>(offset));
        img.put4(kTre + tre::kPolygonSize, size);
        img.put2(kTre + tre::kPolygonRecord, record);
        return *this;
    }
    // Extended overview records (type, level, subtype), record size 3, with the three counts;
    // the offset counts from `base` (the TRE header, or the GMP header of an NT map).
    SyntheticMap& extended(const std::vector<std::vector<std::uint8_t>>& records, std::uint32_t nL,
                           std::uint32_t nP, std::uint32_t nT, std::int64_t base = kTre) {
        for (std::size_t i = 0; i < records.size(); ++i)
            img.putBytes(kExtended + static_cast<std::int64_t>(i * 3), records[i]);
        img.put4(kTre + tre::kExtendedOffset, static_cast<std::uint32_t>(kExtended - base));
        img.put4(kTre + tre::kExtendedSize, static_cast<std::uint32_t>(records.size() * 3));
        img.put2(kTre + tre::kExtendedRecord, 3);
        img.put2(kTre + tre::kExtendedLines, nL);
        img.put2(kTre + tre::kExtendedPolygons, nP);
        img.put2(kTre + tre::kExtendedPoints, nT);
        return *this;
    }
    // RGN extended sections; offsets count from `base` (RGN header, or GMP header on NT maps).
    SyntheticMap& rgnPolygons(const std::vector<std::uint8_t>& data, std::int64_t base = kRgn) {
        return section(rgn::kPolygonOffset, rgn::kPolygonSize, kRgnPolygons, data, base);
    }
    SyntheticMap& rgnLines(const std::vector<std::uint8_t>& data, std::int64_t base = kRgn) {
        return section(rgn::kLineOffset, rgn::kLineSize, kRgnLines, data, base);
    }
    SyntheticMap& rgnPoints(const std::vector<std::uint8_t>& data, std::int64_t base = kRgn) {
        return section(rgn::kPointOffset, rgn::kPointSize, kRgnPoints, data, base);
    }

    std::string bytes(std::uint8_t key = 0) const { return img.bytes(key); }

    ImgBuilder img;

  private:
    SyntheticMap& section(std::int64_t offField, std::int64_t sizeField, std::int64_t at,
                          const std::vector<std::uint8_t>& data, std::int64_t base) {
        img.putBytes(at, data);
        img.put4(kRgn + offField, static_cast<std::uint32_t>(at - base));
        img.put4(kRgn + sizeField, static_cast<std::uint32_t>(data.size()));
        return *this;
    }
};

} // namespace kestrel::test
