#include "imgfs/masked_bytes.h"

namespace kestrel::img {

std::string MaskedBytes::text(std::int64_t at, std::int64_t n) const {
    std::string s;
    for (std::int64_t i = 0; i < n; ++i) s += static_cast<char>(u8(at + i));
    return s;
}

std::string MaskedBytes::gather(std::span<const ByteRun> runs, std::int64_t limit) const {
    std::string out;
    for (const ByteRun& r : runs) {
        if (r.offset < 0 || r.length < 0 || r.offset > size() || r.length > size() - r.offset)
            continue; // runs come from the directory reader, which keeps them inside the file
        const std::size_t from = out.size();
        const std::int64_t left = limit - static_cast<std::int64_t>(from);
        out.append(reinterpret_cast<const char*>(stored_.data() + r.offset),
                   static_cast<std::size_t>(r.length < left ? r.length : left));
        if (key_)
            for (std::size_t i = from; i < out.size(); ++i)
                out[i] = static_cast<char>(static_cast<std::uint8_t>(out[i]) ^ key_);
    }
    return out;
}

} // namespace kestrel::img
