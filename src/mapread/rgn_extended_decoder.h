#pragma once
// The extended objects of an RGN subfile: three sections (polygons, lines, points) of records,
// each subdivision owning the part that the TRE extended-type offsets give it.
#include <array>
#include <cstdint>
#include <optional>

#include "base/uiport.h"
#include "mapread/decode_note.h"
#include "mapread/record_sink.h"
#include "mapread/subfile_view.h"
#include "mapread/tre_levels.h"

namespace kestrel {

namespace rgn {
// Extended record: type 0, flags 1 (bits 0-4: subtype), longitude and latitude deltas 2-5;
// polygons and lines then hold a variable-length bitstream length and the bitstream; then the
// label reference when flagged, then the extra bytes when flagged.
inline constexpr std::int64_t kExtFixedBytes = 6;
inline constexpr std::int64_t kExtLonDelta = 2;
inline constexpr std::int64_t kExtLatDelta = 4;
inline constexpr std::uint32_t kExtSubtypeMask = 0x1F;
inline constexpr std::uint32_t kExtHasLabel = 0x20;
inline constexpr std::uint32_t kExtHasExtra = 0x80;
inline constexpr std::int64_t kLabelBytes = 3;
// Extra bytes: the top three bits of the first byte give how many follow it (below 4: none; 4,
// 5, 6: one, two, three; 7: a variable-length count follows, then that many bytes).
inline constexpr std::uint32_t kExtraCountShift = 5;
inline constexpr std::uint32_t kExtraCounted = 7;
inline constexpr std::uint32_t kExtraFirstSized = 4;
} // namespace rgn

class RgnExtendedDecoder {
  public:
    // `rgn` holds the RGN header at `header`; offsets in it count from the start of `rgn`.
    RgnExtendedDecoder(const SubfileView& rgn, std::int64_t header);

    // Hands the records of the section of one kind to the sink, each with the subdivision that
    // owns it (none without extended-type offsets), when the sink wants that subdivision's.
    // Stops at the first record or range out of place, or when the user asks to stop.
    std::optional<SubfileStop> decode(ObjectKind kind, const TreLevels& tre, RecordSink& sink,
                                      UiPort& ui) const;

  private:
    struct Section {
        std::int64_t begin = 0;
        std::int64_t size = 0;
    };
    std::optional<SubfileStop> records(ObjectKind kind, std::int64_t begin, std::int64_t end,
                                       const Subdivision* owner, RecordSink& sink) const;

    const SubfileView& rgn_;
    std::array<Section, kObjectKinds> sections_{}; // by ObjectKind
};

} // namespace kestrel
