#pragma once
// What the RGN decoders hand on: the records found, with their kind, code and bytes, a run at a
// time. The complete scan counts them; the geometry reader decodes their coordinates.
#include <array>
#include <cstdint>
#include <span>

#include "mapread/tre_levels.h"
#include "mapread/type_tally.h"

namespace kestrel {

// Without default values: a run's buffer is made for every section and filled as it goes.
struct RgnRecord {
    std::uint32_t code; // as TypeCount codes it
    std::int64_t at;    // its first byte in the RGN view
    std::int64_t length;
};

// Records that follow each other in one section of one subdivision: all of one kind and owner.
struct RecordRun {
    ObjectKind kind = ObjectKind::Point;
    bool extended = false;              // records of the extended sections
    const Subdivision* owner = nullptr; // nothing: extended records no subdivision owns
    std::span<const RgnRecord> records;
};

class RecordSink {
  public:
    virtual ~RecordSink() = default;
    // Whether the records of this subdivision (nothing: extended records no subdivision owns)
    // are wanted at all; those not wanted are not walked.
    virtual bool wants(const Subdivision* owner) const = 0;
    // Records in the order of the subfile, each with all its bytes inside its range.
    virtual void take(const RecordRun& run) = 0;
};

// Gathers the records of one section of one subdivision and hands them to the sink in runs, so
// that the sink's work per subdivision is done once a run rather than once a record. What was
// gathered is handed on when the buffer goes, also when decoding stops at a damaged record.
class RunBuffer {
  public:
    RunBuffer(RecordSink& sink, ObjectKind kind, bool extended, const Subdivision* owner)
        : sink_(sink), kind_(kind), extended_(extended), owner_(owner) {}
    ~RunBuffer() { flush(); }
    RunBuffer(const RunBuffer&) = delete;
    RunBuffer& operator=(const RunBuffer&) = delete;

    void add(std::uint32_t code, std::int64_t at, std::int64_t length) {
        records_[n_++] = {code, at, length};
        if (n_ == records_.size()) flush();
    }

  private:
    void flush() {
        if (n_ != 0) sink_.take({kind_, extended_, owner_, {records_.data(), n_}});
        n_ = 0;
    }

    RecordSink& sink_;
    ObjectKind kind_;
    bool extended_;
    const Subdivision* owner_;
    std::size_t n_ = 0;
    std::array<RgnRecord, 256> records_;
};

} // namespace kestrel
