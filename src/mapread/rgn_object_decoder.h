#pragma once
// The standard objects of an RGN subfile: each subdivision's data runs from its offset in the
// data section to the next subdivision's; inside, the points, indexed points, polylines and
// polygons that its content flags name follow each other, the second and later kinds found
// through a table of 16-bit pointers at the start.
#include <cstdint>
#include <optional>

#include "base/uiport.h"
#include "mapread/decode_note.h"
#include "mapread/record_sink.h"
#include "mapread/subfile_view.h"
#include "mapread/tre_levels.h"

namespace kestrel {

namespace rgn {
// Point record: type 0, label 1-3 (bit 23: a subtype byte follows), longitude and latitude
// deltas 4-7, subtype 8.
inline constexpr std::int64_t kPointBytes = 8;
inline constexpr std::uint32_t kPointHasSubtype = 0x800000;
// Polyline and polygon record: type 0 (bit 7: two-byte bitstream length), label 1-3 (bit 22: an
// extra bit per point in the bitstream), deltas 4-7, bitstream length at 8 (one or two bytes),
// then the bitstream's info byte and the bitstream.
inline constexpr std::int64_t kPolyFixedBytes = 8;
inline constexpr std::uint32_t kPolyTwoByteLength = 0x80;
inline constexpr std::uint32_t kLineTypeMask = 0x3F;
inline constexpr std::uint32_t kPolygonTypeMask = 0x7F;
inline constexpr std::uint32_t kPolyExtraBit = 0x400000;
inline constexpr std::int64_t kLabel = 1;
inline constexpr std::int64_t kLonDelta = 4;
inline constexpr std::int64_t kLatDelta = 6;
} // namespace rgn

class RgnObjectDecoder {
  public:
    // `rgn` holds the RGN header at `header`; offsets in it count from the start of `rgn` (the
    // RGN subfile, or the GMP subfile of an NT map).
    RgnObjectDecoder(const SubfileView& rgn, std::int64_t header);

    // Hands the records of every subdivision the sink wants to it. Stops at the first
    // subdivision or record out of place, or when the user asks to stop.
    std::optional<SubfileStop> decode(const TreLevels& tre, RecordSink& sink, UiPort& ui) const;

  private:
    std::optional<SubfileStop> subdivision(std::int64_t begin, std::int64_t end,
                                           const Subdivision& owner, RecordSink& sink) const;
    std::optional<SubfileStop> points(std::int64_t begin, std::int64_t end,
                                      const Subdivision& owner, RecordSink& sink) const;
    std::optional<SubfileStop> polys(ObjectKind kind, std::int64_t begin, std::int64_t end,
                                     const Subdivision& owner, RecordSink& sink) const;

    const SubfileView& rgn_;
    std::int64_t data_ = 0;    // start of the data section
    std::int64_t dataEnd_ = 0; // its end
};

} // namespace kestrel
