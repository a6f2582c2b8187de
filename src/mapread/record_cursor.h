#pragma once
// Reads the records of one range of a subfile front to back. A read past the range's end (or a
// length in an unknown form) fails the cursor instead of reading on: the record is damaged.
#include <cstdint>

#include "mapread/subfile_view.h"

namespace kestrel {

class RecordCursor {
  public:
    RecordCursor(const SubfileView& view, std::int64_t at, std::int64_t end)
        : view_(view), at_(at), end_(end) {}

    bool more() const { return !failed_ && at_ < end_; }
    bool failed() const { return failed_; }
    std::int64_t at() const { return at_; }

    std::uint32_t u8() { return take(1) ? view_.dat(at_ - 1) : 0; }
    std::uint32_t u16() { return take(2) ? view_.bit2(at_ - 2) : 0; }
    std::uint32_t u24() { return take(3) ? view_.bit3(at_ - 3) : 0; }
    void skip(std::int64_t n) { take(n); }

    // A number in 1, 2 or 3 bytes; the lowest set bit of the first byte says how many (bit 0:
    // one byte, bit 1: two, bit 2: three) and the bits above it hold the value.
    std::uint32_t variable() {
        const std::uint32_t first = view_.dat(at_);
        if (first & 1) return u8() >> 1;
        if (first & 2) return u16() >> 2;
        if (first & 4) return u24() >> 3;
        failed_ = true;
        return 0;
    }

  private:
    bool take(std::int64_t n) {
        if (failed_ || n < 0 || n > end_ - at_) {
            failed_ = true;
            return false;
        }
        at_ += n;
        return true;
    }

    const SubfileView& view_;
    std::int64_t at_;
    std::int64_t end_;
    bool failed_ = false;
};

} // namespace kestrel
