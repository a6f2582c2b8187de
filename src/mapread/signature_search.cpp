#include "mapread/signature_search.h"

#include <cstring>
#include <string_view>

namespace kestrel {
namespace {

// Sixteen bytes compared at once (SSE2 on x86-64, NEON on ARM), written portably.
using Lanes = std::uint8_t __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes);
constexpr std::size_t kBlock = 4 * kLanes; // positions sifted per step
// The sieve reads up to byte 9 of a signature, sixteen positions wide.
constexpr std::size_t kReach = SignatureSearch::kLength - 1 + kLanes;

std::array<std::uint8_t, SignatureSearch::kLength> masked(std::string_view text, std::uint8_t key) {
    std::array<std::uint8_t, SignatureSearch::kLength> m{};
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<std::uint8_t>(text[i] ^ key);
    return m;
}

} // namespace

SignatureSearch::SignatureSearch(std::uint8_t key)
    : rgn_(masked("GARMIN RGN", key)), tre_(masked("GARMIN TRE", key)),
      gmp_(masked("GARMIN GMP", key)) {}

void SignatureSearch::compare(std::span<const std::uint8_t> bytes, std::size_t at) {
    if (bytes.size() - at < kLength) return;
    const std::uint8_t* p = bytes.data() + at;
    const auto pos = static_cast<std::int64_t>(at);
    auto is = [p](const Masked& m) { return std::memcmp(p, m.data(), kLength) == 0; };
    if (found_.rgn < 0 && is(rgn_)) found_.rgn = pos;
    if (found_.tre < 0 && is(tre_)) found_.tre = pos;
    if (found_.gmp < 0 && is(gmp_)) found_.gmp = pos;
}

void SignatureSearch::scan(std::span<const std::uint8_t> bytes, std::size_t begin,
                           std::size_t end) {
    const std::uint8_t* data = bytes.data();
    auto load = [data](std::size_t at) {
        Lanes v;
        std::memcpy(&v, data + at, kLanes);
        return v;
    };
    // Bytes 0, 1 and 6 are the same in every signature ("GA", " "); byte 9 tells them apart.
    const Lanes g = Lanes{} + rgn_[0], a = Lanes{} + rgn_[1], space = Lanes{} + rgn_[6];
    const Lanes n = Lanes{} + rgn_[9], e = Lanes{} + tre_[9], p = Lanes{} + gmp_[9];
    auto sift = [&](std::size_t at) {
        const Lanes last = load(at + 9);
        return (load(at) == g) & (load(at + 1) == a) & (load(at + 6) == space) &
               ((last == n) | (last == e) | (last == p));
    };
    // memchr finds the next "G" fastest; the block from there on is sifted at once, so that bytes
    // full of "G"s cost one call per block, not one per byte.
    for (std::size_t at = begin; at < end && !found_.complete();) {
        const void* hit = std::memchr(data + at, rgn_[0], end - at);
        if (!hit) return;
        at = static_cast<std::size_t>(static_cast<const std::uint8_t*>(hit) - data);
        const std::size_t blockEnd = at + kBlock;
        if (blockEnd > end || at + kBlock - kLanes + kReach > bytes.size()) {
            compare(bytes, at++);
            continue;
        }
        const auto hits =
            sift(at) | sift(at + kLanes) | sift(at + 2 * kLanes) | sift(at + 3 * kLanes);
        std::uint64_t words[2];
        std::memcpy(words, &hits, sizeof words);
        if ((words[0] | words[1]) != 0)
            for (std::size_t i = at; i < blockEnd; ++i)
                if (data[i] == rgn_[0]) compare(bytes, i);
        at = blockEnd;
    }
}

} // namespace kestrel
