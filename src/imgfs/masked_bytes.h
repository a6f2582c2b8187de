#pragma once
// The bytes of a stored IMG container with its XOR mask undone on the fly. Every read is checked:
// offsets outside the file read as 0, so hostile offsets never reach past the bytes.
#include <climits>
#include <cstdint>
#include <span>
#include <string>

namespace kestrel::img {

// A run of bytes of the file: where it starts and how long it is.
struct ByteRun {
    std::int64_t offset = 0;
    std::int64_t length = 0;
};

class MaskedBytes {
  public:
    MaskedBytes(std::span<const std::uint8_t> stored, std::uint8_t key)
        : stored_(stored), key_(key) {}
    // The container as stored; its key is its first byte.
    static MaskedBytes ofFile(std::span<const std::uint8_t> stored) {
        return {stored, stored.empty() ? std::uint8_t(0) : stored[0]};
    }

    std::int64_t size() const { return static_cast<std::int64_t>(stored_.size()); }
    std::uint8_t key() const { return key_; }
    std::span<const std::uint8_t> stored() const { return stored_; }

    std::uint8_t u8(std::int64_t at) const {
        const auto i = static_cast<std::uint64_t>(at); // negative offsets wrap far beyond
        return i < stored_.size() ? static_cast<std::uint8_t>(stored_[i] ^ key_) : 0;
    }
    std::uint32_t u16(std::int64_t at) const {
        return u8(at) | static_cast<std::uint32_t>(u8(at + 1)) << 8;
    }
    std::uint32_t u32(std::int64_t at) const {
        return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
    }
    // n bytes from `at` on, unmasked (0 past the end).
    std::string text(std::int64_t at, std::int64_t n) const;
    // The bytes of the runs, one after the other, unmasked; at most `limit` of them.
    std::string gather(std::span<const ByteRun> runs, std::int64_t limit = INT64_MAX) const;

  private:
    std::span<const std::uint8_t> stored_;
    std::uint8_t key_;
};

} // namespace kestrel::img
