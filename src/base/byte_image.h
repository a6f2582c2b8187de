#pragma once
// The bytes of a binary file (or of one of its sections) while it is built. Bytes are placed by
// position into a pre-sized buffer, so a large file is assembled without repeated reallocation,
// and a header can be patched in once the sections behind it are placed; all integers are
// little-endian.
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
    // The low n bytes (1 to 4) of the value.
    void putNu(std::size_t pos, std::size_t n, std::uint32_t v);
    // At the end of the buffer this appends without zero-filling first.
    void putBytes(std::size_t pos, std::string_view bytes);
    // Room for `capacity` bytes, so that appending up to it never reallocates.
    void reserve(std::size_t capacity) { bytes_.reserve(capacity); }

    // Appending at the end.
    void add1u(std::uint8_t v) { bytes_.push_back(static_cast<char>(v)); }
    void add2u(std::uint16_t v) { put2u(bytes_.size(), v); }
    void addBytes(std::string_view bytes) { bytes_.append(bytes); }

    std::size_t size() const { return bytes_.size(); }
    const std::string& bytes() const { return bytes_; }
    std::string release() { return std::move(bytes_); }

  private:
    void reserveUpTo(std::size_t end);

    std::string bytes_;
};

} // namespace kestrel
