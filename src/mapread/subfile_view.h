#pragma once
// One subfile of an IMG container, read through the map buffer (so the XOR mask is undone):
// offsets count from the subfile's first byte, whichever blocks of the file hold it. Reads at
// or past the subfile's end give 0, as the buffer's readers do past the file's end.
#include <cstdint>
#include <span>
#include <vector>

#include "imgfs/masked_bytes.h"
#include "mapread/map_buffer.h"

namespace kestrel {

// A run of bytes of the file: where it starts and how long it is.
using ByteRange = img::ByteRun;

class SubfileView {
  public:
    SubfileView() = default;
    // The subfile made of these runs of the file, in order.
    SubfileView(const MapBuffer& buf, std::vector<ByteRange> ranges);

    std::int64_t size() const { return size_; }
    // The n bytes from `at` on lie inside the subfile.
    bool holds(std::int64_t at, std::int64_t n) const {
        return at >= 0 && n >= 0 && at <= size_ && n <= size_ - at;
    }
    // The byte of the file that holds subfile byte `at` (-1 outside the subfile).
    std::int64_t fileOffset(std::int64_t at) const;
    // The n bytes from `at` on as stored in the file (XOR them with `key()`), when they lie in
    // one run of the file; empty otherwise.
    std::span<const std::uint8_t> stored(std::int64_t at, std::int64_t n) const;
    std::uint8_t key() const { return buf_ ? buf_->key() : 0; }

    std::uint8_t dat(std::int64_t at) const {
        if (static_cast<std::uint64_t>(at) >= static_cast<std::uint64_t>(size_)) return 0;
        return buf_->dat(ranges_.size() == 1 ? ranges_[0].offset + at : fileOffset(at));
    }
    std::uint32_t bit2(std::int64_t at) const {
        return dat(at) | static_cast<std::uint32_t>(dat(at + 1)) << 8;
    }
    std::uint32_t bit3(std::int64_t at) const {
        return bit2(at) | static_cast<std::uint32_t>(dat(at + 2)) << 16;
    }
    std::uint32_t bit4(std::int64_t at) const {
        return bit3(at) | static_cast<std::uint32_t>(dat(at + 3)) << 24;
    }

  private:
    std::size_t rangeOf(std::int64_t at) const; // the range holding subfile byte `at`

    const MapBuffer* buf_ = nullptr;
    std::vector<ByteRange> ranges_;
    std::vector<std::int64_t> starts_; // subfile offset of each range's first byte
    std::int64_t size_ = 0;
};

} // namespace kestrel
