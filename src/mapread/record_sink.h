#pragma once
// What the RGN decoders hand on: each record found, with its kind, code and bytes. The complete
// scan counts them; the geometry reader decodes their coordinates.
#include <cstdint>

#include "mapread/tre_levels.h"
#include "mapread/type_tally.h"

namespace kestrel {

struct RgnRecord {
    ObjectKind kind = ObjectKind::Point;
    std::uint32_t code = 0; // as TypeCount codes it
    bool extended = false;  // a record of the extended sections
    std::int64_t at = 0;    // its first byte in the RGN view
    std::int64_t length = 0;
    const Subdivision* owner = nullptr; // nothing: an extended record no subdivision owns
};

class RecordSink {
  public:
    virtual ~RecordSink() = default;
    // Whether the records of this subdivision (nothing: extended records no subdivision owns)
    // are wanted at all; those not wanted are not walked.
    virtual bool wants(const Subdivision* owner) const = 0;
    // One record, whose bytes all lie inside its range.
    virtual void take(const RgnRecord& record) = 0;
};

} // namespace kestrel
