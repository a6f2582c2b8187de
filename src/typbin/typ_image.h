#pragma once
// The byte image of a binary TYP file (or of one of its sections) while it is built. Bytes are
// placed by position into a pre-sized buffer, so a large file is assembled without repeated
// reallocation; all integers are little-endian.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel {

class ByteImage {
  public:
    ByteImage() = default;
    // A buffer of `size` zero bytes.
    explicit ByteImage(std::size_t size) : bytes_(size, '\0') {}
    // An empty buffer that reuses the storage of `storage` (its content is dropped).
    explicit ByteImage(std::string&& storage) : bytes_(std::move(storage)) { bytes_.clear(); }

    // Patches by offset. Writing past the end first grows the buffer with zero bytes.
    void put1u(std::size_t pos, std::uint8_t v);
    void put2u(std::size_t pos, std::uint16_t v);
    void put3u(std::size_t pos, std::uint32_t v); // the low 24 bits
    void put4u(std::size_t pos, std::uint32_t v);
    // At the end of the buffer this appends without zero-filling first.
    void putBytes(std::size_t pos, std::string_view bytes);
    // Room for `capacity` bytes, so that appending up to it never reallocates.
    void reserve(std::size_t capacity) { bytes_.reserve(capacity); }

    // `head`: one byte at a position. A position at or beyond the end (or an empty buffer) first
    // grows the buffer by blocks of 256 blanks (0x20) until the position is inside it.
    void head(std::size_t pos, std::uint8_t v);
    // `put_head4`: the value as four bytes, low byte first, at the position and the three after.
    void put_head4(std::size_t pos, std::uint32_t v);

    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    std::string release() { return std::move(bytes_); }

  private:
    void reserveUpTo(std::size_t end);

    std::string bytes_;
};

// `fnblk0`: a hexadecimal number given as text (no prefix) as four bytes, low byte first, padded
// with zero bytes on the high side. Digits beyond the eighth (counted from the right) are dropped;
// the text is read up to its first non-hexadecimal character.
std::string fnblk0(std::string_view hexText);

} // namespace kestrel
