#include "mapread/coord_bitstream.h"

namespace kestrel {
namespace {

class BitReader {
  public:
    explicit BitReader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), total_(bytes.size() * 8) {}

    std::size_t left() const { return total_ - at_; }
    // The next n bits (n at most 32), lowest first; only after left() >= n.
    std::uint32_t take(unsigned n) {
        std::uint32_t v = 0;
        for (unsigned i = 0; i < n;) {
            const std::size_t byte = at_ >> 3;
            const unsigned shift = at_ & 7;
            const unsigned here = std::min(8 - shift, n - i);
            v |= ((static_cast<std::uint32_t>(bytes_[byte]) >> shift) & ((1u << here) - 1)) << i;
            i += here;
            at_ += here;
        }
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
};

// One delta into `out`; false when the bits ran out. A delta with its own sign whose value is the
// sign bit alone says that the delta is larger than the width holds: each such value adds the
// width's largest and the next one ends it. (Not an optional: returned through memory, its flag
// stored as a byte and loaded as a word stalled every call.)
bool readDelta(BitReader& r, const SignForm& f, std::int64_t& out) {
    if (r.left() < f.width) return false;
    const std::uint32_t v = r.take(f.width);
    if (f.same) {
        out = f.negative ? -static_cast<std::int64_t>(v) : v;
        return true;
    }
    const std::uint32_t top = 1u << (f.width - 1);
    const std::uint32_t mask = top - 1;
    std::int64_t more = 0;
    std::uint32_t last = v;
    while (last == top) {
        more += mask;
        if (r.left() < f.width) return false;
        last = r.take(f.width);
    }
    out = last & top ? -(more + (top - (last & mask))) : more + last;
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
    lon.width = deltaWidth(form.info & rgn::kBaseBits, !lon.same);
    lat.width = deltaWidth(form.info >> 4, !lat.same);
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
