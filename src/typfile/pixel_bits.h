#pragma once
// Pixels and alpha colours are packed into bytes first bit lowest: the first value takes the low
// bits of the first byte, the next value the bits above it, and so on across byte boundaries.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "base/byte_image.h"

namespace kestrel::typ {

// Bits per pixel of an image with `colours` palette colours (counting the transparent one of
// OneTransparent mode): 1 for up to 1, 2 for up to 3, 4 for up to 15, else 8.
constexpr unsigned bitsPerPixel(std::size_t colours) {
    return colours < 2 ? 1 : colours < 4 ? 2 : colours < 16 ? 4 : 8;
}

// Bytes needed for n values of `bits` bits, packed.
constexpr std::size_t packedBytes(std::size_t n, unsigned bits) {
    return (n * bits + 7) / 8;
}

namespace detail {
// n values of `Bits` bits into (n * Bits + 7) / 8 bytes at `out`.
template <unsigned Bits> void pack(const std::uint8_t* values, std::size_t n, char* out) {
    constexpr unsigned perByte = 8 / Bits;
    constexpr unsigned mask = (1u << Bits) - 1;
    std::size_t x = 0;
    for (; x + perByte <= n; x += perByte) {
        unsigned byte = 0;
        for (unsigned k = 0; k < perByte; ++k) byte |= (values[x + k] & mask) << (k * Bits);
        *out++ = static_cast<char>(byte);
    }
    if (x == n) return;
    unsigned byte = 0;
    for (unsigned k = 0; x < n; ++k, ++x) byte |= (values[x] & mask) << (k * Bits);
    *out = static_cast<char>(byte);
}
} // namespace detail

// Appends n values of `bits` bits (1, 2, 4 or 8) packed, the last byte padded with 0 bits.
inline void packRow(const std::uint8_t* values, std::size_t n, unsigned bits, ByteImage& out) {
    std::array<char, 256> buffer;
    const std::size_t chunk = buffer.size() * 8 / bits; // values of a full buffer
    for (std::size_t x = 0; x < n; x += chunk) {
        const std::size_t m = std::min(chunk, n - x);
        switch (bits) {
        case 1:
            detail::pack<1>(values + x, m, buffer.data());
            break;
        case 2:
            detail::pack<2>(values + x, m, buffer.data());
            break;
        case 4:
            detail::pack<4>(values + x, m, buffer.data());
            break;
        default:
            detail::pack<8>(values + x, m, buffer.data());
            break;
        }
        out.addBytes(std::string_view(buffer.data(), packedBytes(m, bits)));
    }
}

// Appends packed values of any width to a ByteImage.
class BitWriter {
  public:
    explicit BitWriter(ByteImage& out) : out_(out) {}
    BitWriter(const BitWriter&) = delete;
    BitWriter& operator=(const BitWriter&) = delete;
    ~BitWriter() { flush(); }

    // The low n bits of the value (n up to 24).
    void put(std::uint32_t value, unsigned n) {
        pending_ |= (value & ((1u << n) - 1)) << count_;
        count_ += n;
        while (count_ >= 8) {
            out_.add1u(static_cast<std::uint8_t>(pending_ & 0xFF));
            pending_ >>= 8;
            count_ -= 8;
        }
    }
    // Pads the last byte with 0 bits, so that the next value starts a new byte.
    void flush() {
        if (count_ > 0) out_.add1u(static_cast<std::uint8_t>(pending_ & 0xFF));
        pending_ = 0;
        count_ = 0;
    }

  private:
    ByteImage& out_;
    std::uint32_t pending_ = 0;
    unsigned count_ = 0;
};

class BitReader {
  public:
    explicit BitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // The next n bits (n up to 24); bits past the end read as 0.
    std::uint32_t get(unsigned n) {
        std::uint32_t v = 0;
        for (unsigned k = 0; k < n; ++k, ++bit_) {
            const std::size_t byte = bit_ / 8;
            if (byte < bytes_.size() && (bytes_[byte] >> (bit_ % 8) & 1)) v |= 1u << k;
        }
        return v;
    }
    // On to the start of the next byte (rows of an indexed image start on whole bytes).
    void toByte() { bit_ = (bit_ + 7) / 8 * 8; }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t bit_ = 0;
};

} // namespace kestrel::typ
