#include "mapread/coord_bitstream.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace kestrel {
namespace {

class BitReader {
  public:
    explicit BitReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), total_(bytes.size() * 8) {}

    std::size_t left() const { return total_ - at_; }
    // The next n bits (n at most 32), lowest first; only after left() >= n. They lie within the
    // eight bytes from the one holding the first of them: those are read at once.
    std::uint32_t take(unsigned n) {
        const std::size_t byte = at_ >> 3;
        const std::size_t have = std::min<std::size_t>(8, bytes_.size() - byte);
        std::uint64_t word = 0;
        if (have == 8 && std::endian::native == std::endian::little) {
            std::memcpy(&word, bytes_.data() + byte, 8);
        } else {
            for (std::size_t i = 0; i < have; ++i)
                word |= static_cast<std::uint64_t>(bytes_[byte + i]) << (8 * i);
        }
        const auto v =
            static_cast<std::uint32_t>((word >> (at_ & 7)) & ((std::uint64_t{1} << n) - 1));
        at_ += n;
        return v;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t total_;
    std::size_t at_ = 0;
};

// How the deltas of one coordinate carry their sign.
struct SignForm {
    bool same = false;     // all deltas have one sign
    bool negative = false; // that sign, when `same`
    unsigned width = 0;
    std::uint32_t top = 0; // the sign bit of a delta with its own

    void setWidth(unsigned w) {
        width = w;
        top = 1u << (w - 1);
    }
};

// The rest of a delta whose first value was the sign bit alone (see readDelta), kept out of the
// way of the common case.
[[gnu::noinline]] bool readLongDelta(BitReader& r, const SignForm& f, std::int64_t& out) {
    const std::uint32_t mask = f.top - 1;
    for (std::int64_t more = mask;; more += mask) {
        if (r.left() < f.width) return false;
        const std::uint32_t last = r.take(f.width);
        if (last == f.top) continue;
        out = last & f.top ? -(more + (f.top - (last & mask))) : more + last;
        return true;
    }
}

// One delta into `out`; false when the bits ran out. A delta with its own sign whose value is the
// sign bit alone says that the delta is larger than the width holds: each such value adds the
// width's largest and the next one ends it. (Not an optional: returned through memory, its flag
// stored as a byte and loaded as a word stalled every call.)
[[gnu::always_inline]] inline bool readDelta(BitReader& r, const SignForm& f, std::int64_t& out) {
    if (r.left() < f.width) return false;
    const std::uint32_t v = r.take(f.width);
    if (f.same) {
        out = f.negative ? -static_cast<std::int64_t>(v) : v;
        return true;
    }
    if (v == f.top) return readLongDelta(r, f, out);
    out = v & f.top ? -static_cast<std::int64_t>(f.top - (v & (f.top - 1))) : v;
    return true;
}

} // namespace

unsigned deltaWidth(unsigned base, bool ownSign) {
    const unsigned width = base <= 9 ? 2 + base : 2 + 2 * base - 9;
    return width + (ownSign ? 1 : 0);
}

bool readDeltas(std::span<const std::uint8_t> bytes, BitstreamForm form, std::vector<Delta>& out) {
    BitReader r(bytes);
    SignForm lon, lat;
    for (SignForm* f : {&lon, &lat}) {
        if (r.left() < 2) return false;
        f->same = r.take(1);
        if (f->same) f->negative = r.take(1);
    }
    const unsigned skip = (form.extended ? 1 : 0) + (form.extraBit ? 1 : 0);
    if (r.left() < skip) return false;
    r.take(skip);
    lon.setWidth(deltaWidth(form.info & rgn::kBaseBits, !lon.same));
    lat.setWidth(deltaWidth(form.info >> 4, !lat.same));
    const unsigned pair = lon.width + lat.width + (form.extraBit ? 1 : 0);
    while (r.left() >= pair) {
        const std::size_t before = r.left();
        std::int64_t dlon = 0, dlat = 0;
        if (!readDelta(r, lon, dlon) || !readDelta(r, lat, dlat)) break;
        // A pair of zeros within the last byte is the padding of a short pair.
        if (dlon == 0 && dlat == 0 && before < 8) break;
        if (form.extraBit) {
            if (r.left() < 1) break;
            r.take(1);
        }
        out.push_back({dlon, dlat});
    }
    return true;
}

} // namespace kestrel
