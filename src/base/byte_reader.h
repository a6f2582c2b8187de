#pragma once
// Little-endian reading of bytes in memory, total: a byte outside the range reads as 0, so no read
// ever leaves it. A ByteCursor walks one record front to back within the end it is given; a read
// past that end gives 0 and marks the cursor overrun, so a decoder reads straight on and checks
// once at the end.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kestrel {

// The bytes of a text, as the readers take them (and, for a string of one's own, as in-place
// setters change them).
inline std::span<const std::uint8_t> byteSpan(std::string_view s) {
    return {reinterpret_cast<const std::uint8_t*>(s.data()), s.size()};
}
inline std::span<std::uint8_t> byteSpan(std::string& s) {
    return {reinterpret_cast<std::uint8_t*>(s.data()), s.size()};
}

class ByteReader {
  public:
    ByteReader() = default;
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::uint64_t size() const { return bytes_.size(); }
    // The n bytes from `at` on lie inside.
    bool holds(std::uint64_t at, std::uint64_t n) const { return at <= size() && n <= size() - at; }
    std::uint32_t u8(std::uint64_t at) const { return at < size() ? bytes_[at] : 0; }
    // The value of n bytes (1 to 4), low byte first.
    std::uint32_t uN(std::uint64_t at, unsigned n) const {
        std::uint32_t v = 0;
        for (unsigned k = n; k-- > 0;) v = v << 8 | u8(at + k);
        return v;
    }
    std::uint32_t u16(std::uint64_t at) const { return uN(at, 2); }
    std::uint32_t u24(std::uint64_t at) const { return uN(at, 3); }
    std::uint32_t u32(std::uint64_t at) const { return uN(at, 4); }
    // The n bytes from `at` on; empty unless all of them lie inside.
    std::span<const std::uint8_t> bytes(std::uint64_t at, std::uint64_t n) const {
        return holds(at, n) ? bytes_.subspan(at, n) : std::span<const std::uint8_t>{};
    }

  private:
    std::span<const std::uint8_t> bytes_;
};

class ByteCursor {
  public:
    // From `at` up to `end` (both clipped to the reader's range).
    ByteCursor(const ByteReader& reader, std::uint64_t at, std::uint64_t end)
        : reader_(reader), at_(at), end_(end < reader.size() ? end : reader.size()) {}

    std::uint64_t at() const { return at_; }
    std::uint64_t remaining() const { return at_ < end_ ? end_ - at_ : 0; }
    bool overrun() const { return overrun_; }

    std::uint32_t uN(unsigned n) {
        if (!take(n)) return 0;
        return reader_.uN(at_ - n, n);
    }
    std::uint32_t u8() { return uN(1); }
    std::uint32_t u16() { return uN(2); }
    std::uint32_t u24() { return uN(3); }
    // The next n bytes; empty (and overrun) when fewer are left.
    std::span<const std::uint8_t> bytes(std::uint64_t n) {
        if (!take(n)) return {};
        return reader_.bytes(at_ - n, n);
    }

  private:
    bool take(std::uint64_t n) {
        if (overrun_ || n > remaining()) {
            overrun_ = true;
            return false;
        }
        at_ += n;
        return true;
    }

    const ByteReader& reader_;
    std::uint64_t at_;
    std::uint64_t end_;
    bool overrun_ = false;
};

} // namespace kestrel
