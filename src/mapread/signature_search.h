#pragma once
// The one pass over a map file that finds where its subfile headers start: the first "GARMIN RGN",
// "GARMIN TRE" and "GARMIN GMP", searched as stored (masked with the file's key, so a masked file
// needs no second pass). The file comes in consecutive blocks of any size; a signature may
// straddle two. Positions are sifted sixty-four at a time on the two bytes that all three
// signatures share, whatever the bytes hold; only the rare ones that pass are compared in full.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kestrel {

// Positions of the first of each signature; -1 when absent.
struct Signatures {
    std::int64_t rgn = -1;
    std::int64_t tre = -1;
    std::int64_t gmp = -1;

    bool complete() const { return rgn >= 0 && tre >= 0 && gmp >= 0; }
};

// The earlier position of each, of two searches of stretches of one file.
Signatures earliest(const Signatures& a, const Signatures& b);

class SignatureSearch {
  public:
    static constexpr std::size_t kLength = 10; // "GARMIN " + three letters

    // How many bytes are compared at once: as many as the processor can, or the sixteen that
    // every processor the program runs on takes (so that both ways are tested anywhere).
    enum class Lanes { Widest, Sixteen };

    // `start`: where in the file the first bytes fed lie.
    explicit SignatureSearch(std::uint8_t key, Lanes lanes = Lanes::Widest, std::int64_t start = 0);

    // Looks at the next bytes of the file, which follow those of the previous call.
    void feed(std::span<const std::uint8_t> bytes);
    const Signatures& found() const { return found_; }
    // Takes what searches of other stretches of the file found: the earlier position of each.
    void merge(const Signatures& other) { found_ = earliest(found_, other); }

  private:
    using Masked = std::array<std::uint8_t, kLength>;
    static constexpr std::size_t kTail = kLength - 1; // bytes kept for a straddling signature

    // Compares the kLength bytes at p, which lie at `offset` in the file.
    void compare(const std::uint8_t* p, std::int64_t offset);
    // Compares the signatures starting at the first n positions of the bytes.
    void sift(std::span<const std::uint8_t> bytes, std::size_t n);

    Masked rgn_{}, tre_{}, gmp_{};
    Signatures found_;
    std::int64_t offset_ = 0; // where in the file the next bytes fed lie
    // The last bytes fed, whose positions wait for the bytes that complete them.
    std::array<std::uint8_t, 2 * kTail> seam_{};
    std::size_t kept_ = 0;
    bool wide_; // thirty-two bytes are compared at once
};

} // namespace kestrel
