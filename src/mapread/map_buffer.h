#pragma once
// The working buffer: the bytes of the current map file, mapped read-only, with the file's
// one-byte XOR mask undone on the fly by every reader. A masked file is therefore never copied;
// the readers are total: offsets before the start or at/after the end read as 0.
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/platform/platform.h"
#include "base/uiport.h"
#include "mapread/signature_search.h"
#include "mapread/unreadable.h"

namespace kestrel {

class MapBuffer {
  public:
    MapBuffer() = default;
    ~MapBuffer();
    MapBuffer(const MapBuffer&) = delete;
    MapBuffer& operator=(const MapBuffer&) = delete;
    MapBuffer(MapBuffer&& other) noexcept;
    MapBuffer& operator=(MapBuffer&& other) noexcept;

    // Maps the whole file; only a regular file with bytes in it is opened. Otherwise the buffer
    // stays empty and the reason comes back.
    std::optional<Unreadable> open(const std::string& path);
    // Wraps bytes already in memory (tests).
    static MapBuffer fromBytes(std::string bytes);
    // Reads bytes that the caller keeps alive and unchanged as long as the buffer reads them (the
    // fuzzer's input), without copying them.
    static MapBuffer view(std::span<const std::uint8_t> bytes);
    void clear();

    std::int64_t size() const { return static_cast<std::int64_t>(size_); }
    // The bytes are a file's, mapped (not bytes given in memory).
    bool mapped() const { return mapping_.has_value(); }
    bool empty() const { return size_ == 0; }

    // The first byte of the file as stored (the unscramble key of a masked file).
    std::uint8_t rawFirstByte() const { return size_ ? data_[0] : 0; }
    // From now on every reader XORs each byte with the key.
    void setKey(std::uint8_t key) { key_ = key; }
    std::uint8_t key() const { return key_; }

    // `dat`, `bit2`, `bit3`, `bit4`: little-endian, unmasked; 0 outside the file.
    std::uint8_t dat(std::int64_t offset) const {
        const auto at = static_cast<std::uint64_t>(offset); // negative offsets wrap far beyond
        return at < size_ ? static_cast<std::uint8_t>(data_[at] ^ key_) : 0;
    }
    std::uint32_t bit2(std::int64_t offset) const {
        return dat(offset) | static_cast<std::uint32_t>(dat(offset + 1)) << 8;
    }
    std::uint32_t bit3(std::int64_t offset) const {
        return bit2(offset) | static_cast<std::uint32_t>(dat(offset + 2)) << 16;
    }
    // The 32-bit value as a signed number.
    std::int32_t bit4(std::int64_t offset) const {
        return static_cast<std::int32_t>(bit3(offset) | static_cast<std::uint32_t>(dat(offset + 3))
                                                            << 24);
    }

    // The n bytes from the offset on as stored (still masked with the key), for loops over many
    // bytes of one range; empty unless all of them lie inside the file.
    std::span<const std::uint8_t> stored(std::int64_t offset, std::int64_t n) const {
        if (offset < 0 || n < 0 || offset > size() || n > size() - offset) return {};
        return {data_ + offset, static_cast<std::size_t>(n)};
    }

    // Copies the stored bytes from the offset on into `into`, as a read of the file does (which
    // costs less than touching each page of the mapping once); how many, 0 at the end or when
    // the file can no longer be read.
    std::size_t copyStored(std::int64_t offset, std::span<std::uint8_t> into) const;

    // Number of bytes from the offset on that read as 0 because they lie outside the file
    // (before its start: up to offset 0; after its end: without limit, given as `limit`).
    std::int64_t outsideRun(std::int64_t offset, std::int64_t limit) const;
    // Number of consecutive 0 bytes (unmasked) from the offset on, at most `limit`.
    std::int64_t zeroRun(std::int64_t offset, std::int64_t limit) const;

    // Positions of the first "GARMIN RGN", "GARMIN TRE" and "GARMIN GMP", found in one pass
    // over the file that reads each page once, yielding between chunks.
    Signatures findSignatures(UiPort& ui) const;

    // Writes the unmasked bytes, first byte 0, to the path (beside it first, then renamed).
    bool dumpUnmasked(const std::string& path, UiPort& ui) const;

  private:
    // Hands all the stored bytes to `take`, front to back, in blocks, yielding between chunks;
    // stops when `take` returns false.
    void eachBlock(UiPort& ui,
                   const std::function<bool(std::span<const std::uint8_t>)>& take) const;

    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::uint8_t key_ = 0;
    std::optional<platform::MappedFile> mapping_; // when the bytes come from a file
    std::string owned_;                           // the bytes, when given in memory
};

} // namespace kestrel
