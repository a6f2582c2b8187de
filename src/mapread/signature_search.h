#pragma once
// The one pass over a map file that finds where its subfile headers start: the first "GARMIN RGN",
// "GARMIN TRE" and "GARMIN GMP", searched as stored (masked with the file's key). It runs at the
// speed of memchr over bytes with few "G"s, and stays linear over bytes full of them: positions
// are sifted sixteen at a time on four of their bytes, and only the rare ones that pass are
// compared in full.
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

class SignatureSearch {
  public:
    static constexpr std::size_t kLength = 10; // "GARMIN " + three letters

    explicit SignatureSearch(std::uint8_t key);

    // Looks at the signatures starting at positions [begin, end) of the bytes (they may run on
    // past `end`). Called with consecutive ranges, front to back, it keeps the first of each.
    void scan(std::span<const std::uint8_t> bytes, std::size_t begin, std::size_t end);
    const Signatures& found() const { return found_; }

  private:
    using Masked = std::array<std::uint8_t, kLength>;
    void compare(std::span<const std::uint8_t> bytes, std::size_t at);

    Masked rgn_{}, tre_{}, gmp_{};
    Signatures found_;
};

} // namespace kestrel
