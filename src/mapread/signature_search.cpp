#include "mapread/signature_search.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace kestrel {
namespace {

constexpr std::size_t kStep = 64; // positions sifted at once
// Every signature starts "GARMIN ": its byte 0 and its blank at byte 6 are the same in all three.
// Random bytes pass that sieve at one position in 65,536, so a step rarely stops.
constexpr std::size_t kBlank = 6;

// The first step of positions from `at` on, below n, that has `first` at byte 0 and `blank` at
// byte 6 of one of them; n when none has. Reads up to byte kStep - 1 + kBlank of a step.
//
// Sixteen bytes compared at once, written portably: SSE2 on x86-64, NEON on ARM, plain code where
// the processor has no vector unit.
std::size_t nextStepNarrow(const std::uint8_t* data, std::size_t at, std::size_t n,
                           std::uint8_t first, std::uint8_t blank) {
    using Lanes = std::uint8_t __attribute__((vector_size(16)));
    auto load = [](const std::uint8_t* p) {
        Lanes v;
        std::memcpy(&v, p, sizeof v);
        return v;
    };
    for (; at + kStep <= n; at += kStep) {
        const std::uint8_t* p = data + at;
        Lanes hits{};
        for (std::size_t k = 0; k < kStep; k += sizeof(Lanes))
            hits |= (load(p + k) == first) & (load(p + k + kBlank) == blank);
        std::uint64_t words[2];
        std::memcpy(words, &hits, sizeof words);
        if ((words[0] | words[1]) != 0) return at;
    }
    return n;
}

// Thirty-two bytes at once (AVX2), on the x86-64 processors that have it: most of today's.
#if defined(__x86_64__) || defined(__i386__)
[[gnu::target("avx2")]] std::size_t nextStepWide(const std::uint8_t* data, std::size_t at,
                                                 std::size_t n, std::uint8_t first,
                                                 std::uint8_t blank) {
    const __m256i f = _mm256_set1_epi8(static_cast<char>(first));
    const __m256i b = _mm256_set1_epi8(static_cast<char>(blank));
    for (; at + kStep <= n; at += kStep) {
        const std::uint8_t* p = data + at;
        __m256i hits = _mm256_setzero_si256();
        for (std::size_t k = 0; k < kStep; k += 32) {
            const __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + k));
            const __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + k + kBlank));
            hits = _mm256_or_si256(
                hits, _mm256_and_si256(_mm256_cmpeq_epi8(x, f), _mm256_cmpeq_epi8(y, b)));
        }
        if (!_mm256_testz_si256(hits, hits)) return at;
    }
    return n;
}
#endif

bool wideLanes() {
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

std::size_t nextStep([[maybe_unused]] bool wide, const std::uint8_t* data, std::size_t at,
                     std::size_t n, std::uint8_t first, std::uint8_t blank) {
#if defined(__x86_64__) || defined(__i386__)
    if (wide) return nextStepWide(data, at, n, first, blank);
#endif
    return nextStepNarrow(data, at, n, first, blank);
}

std::array<std::uint8_t, SignatureSearch::kLength> masked(std::string_view text, std::uint8_t key) {
    std::array<std::uint8_t, SignatureSearch::kLength> m{};
    for (std::size_t i = 0; i < m.size(); ++i) m[i] = static_cast<std::uint8_t>(text[i] ^ key);
    return m;
}

} // namespace

SignatureSearch::SignatureSearch(std::uint8_t key, Lanes lanes, std::int64_t start)
    : rgn_(masked("GARMIN RGN", key)), tre_(masked("GARMIN TRE", key)),
      gmp_(masked("GARMIN GMP", key)), offset_(start),
      wide_(lanes == Lanes::Widest && wideLanes()) {}

void SignatureSearch::compare(const std::uint8_t* p, std::int64_t offset) {
    if (p[0] != rgn_[0] || p[kBlank] != rgn_[kBlank]) return;
    auto is = [p](const Masked& m) { return std::memcmp(p, m.data(), kLength) == 0; };
    if (found_.rgn < 0 && is(rgn_)) found_.rgn = offset;
    if (found_.tre < 0 && is(tre_)) found_.tre = offset;
    if (found_.gmp < 0 && is(gmp_)) found_.gmp = offset;
}

void SignatureSearch::sift(std::span<const std::uint8_t> bytes, std::size_t n) {
    const std::uint8_t* data = bytes.data();
    // A step reads up to byte kStep - 1 + kBlank, within the bytes that its last position
    // compares; the rare step that passes is compared position by position.
    const std::size_t steps = n - n % kStep;
    for (std::size_t at = 0;; at += kStep) {
        at = nextStep(wide_, data, at, steps, rgn_[0], rgn_[kBlank]);
        if (at == steps) break;
        for (std::size_t i = at; i < at + kStep; ++i)
            compare(data + i, offset_ + static_cast<std::int64_t>(i));
        if (found_.complete()) return;
    }
    for (std::size_t at = steps; at < n; ++at)
        compare(data + at, offset_ + static_cast<std::int64_t>(at));
}

Signatures earliest(const Signatures& a, const Signatures& b) {
    const auto earlier = [](std::int64_t x, std::int64_t y) {
        return x < 0 ? y : y < 0 ? x : std::min(x, y);
    };
    return {earlier(a.rgn, b.rgn), earlier(a.tre, b.tre), earlier(a.gmp, b.gmp)};
}

void SignatureSearch::feed(std::span<const std::uint8_t> bytes) {
    const std::size_t n = bytes.size();
    if (!found_.complete()) {
        // First the positions kept from before, completed by the first bytes of these.
        const std::size_t joined = std::min(n, kTail);
        std::memcpy(seam_.data() + kept_, bytes.data(), joined);
        const std::int64_t seamStart = offset_ - static_cast<std::int64_t>(kept_);
        for (std::size_t i = 0; i < kept_ && i + kLength <= kept_ + joined; ++i)
            compare(seam_.data() + i, seamStart + static_cast<std::int64_t>(i));
        if (n >= kLength && !found_.complete()) sift(bytes, n - kTail);
        // Then keep the last positions, those too near the end to compare yet.
        if (n >= kTail) {
            std::memcpy(seam_.data(), bytes.data() + n - kTail, kTail);
            kept_ = kTail;
        } else {
            const std::size_t all = kept_ + n, keep = std::min(all, kTail);
            std::memmove(seam_.data(), seam_.data() + all - keep, keep);
            kept_ = keep;
        }
    }
    offset_ += static_cast<std::int64_t>(n);
}

} // namespace kestrel
