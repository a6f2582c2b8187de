#pragma once
// Walks the records of one range of a subfile front to back: check that the range holds a
// record's next bytes, look at them, move past the record. Looking is only done after checking.
#include <algorithm>
#include <cstdint>
#include <span>

#include "mapread/subfile_view.h"

namespace kestrel {

// A number in 1, 2 or 3 bytes: the lowest set bit of the first byte says how many (bit 0: one
// byte, bit 1: two, bit 2: three) and the bits above it hold the value.
struct VariableNumber {
    std::uint32_t value = 0;
    std::int64_t bytes = 0; // 0: an unknown form, or the range ends inside the number
};

class RecordCursor {
  public:
    RecordCursor(const SubfileView& view, std::int64_t at, std::int64_t end)
        : view_(view), stored_(view.stored(at, end - at)), key_(view.key()), begin_(at), at_(at),
          end_(end) {}

    bool more() const { return at_ < end_; }
    std::int64_t at() const { return at_; }
    // The range holds n more bytes.
    bool has(std::int64_t n) const { return n <= end_ - at_; }
    // Byte i from here on; only after has(i + 1).
    std::uint32_t peek(std::int64_t i) const {
        if (stored_.empty()) return view_.dat(at_ + i);
        return static_cast<std::uint8_t>(stored_[static_cast<std::size_t>(at_ - begin_ + i)] ^
                                         key_);
    }
    // Bytes i to i + out.size() - 1 from here on into `out`; only after has(i + out.size()).
    void copy(std::int64_t i, std::span<std::uint8_t> out) const {
        if (stored_.empty()) {
            for (std::size_t k = 0; k < out.size(); ++k)
                out[k] = view_.dat(at_ + i + static_cast<std::int64_t>(k));
            return;
        }
        const std::uint8_t* from = stored_.data() + (at_ - begin_ + i);
        std::transform(from, from + out.size(), out.begin(),
                       [key = key_](std::uint8_t b) { return static_cast<std::uint8_t>(b ^ key); });
    }
    // The variable-length number starting at byte i from here on.
    VariableNumber variable(std::int64_t i) const {
        if (!has(i + 1)) return {};
        const std::uint32_t first = peek(i);
        const std::int64_t bytes = (first & 1) ? 1 : (first & 2) ? 2 : (first & 4) ? 3 : 0;
        if (bytes == 0 || !has(i + bytes)) return {};
        std::uint32_t v = first;
        for (std::int64_t b = 1; b < bytes; ++b) v |= peek(i + b) << (8 * b);
        return {v >> bytes, bytes};
    }
    // Moves on by n bytes; only after has(n).
    void advance(std::int64_t n) { at_ += n; }

  private:
    const SubfileView& view_;
    std::span<const std::uint8_t> stored_; // the range as stored, when it lies in one run
    std::uint8_t key_;
    std::int64_t begin_;
    std::int64_t at_;
    std::int64_t end_;
};

} // namespace kestrel
