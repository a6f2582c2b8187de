#include "mapread/tile_pass.h"

#include <algorithm>
#include <array>

namespace kestrel {
namespace {

// The bytes are read in blocks of this size, which stay in the processor's cache for the search.
constexpr std::size_t kBlock = std::size_t(256) << 10;

} // namespace

TilePass::TilePass(const MapBuffer& buf, std::size_t largest)
    : buf_(buf), tile_(std::max(largest, kBlock)) {}

std::size_t TilePass::copy(std::span<std::uint8_t> into) {
    std::size_t done = 0;
    while (done < into.size()) {
        const auto piece = into.subspan(done, std::min(kBlock, into.size() - done));
        const std::size_t got = buf_.copyStored(pos_, piece);
        if (got == 0) {
            pos_ = buf_.size(); // the file can no longer be read
            break;
        }
        if (search_ && !search_->found().complete()) search_->feed(piece.first(got));
        pos_ += static_cast<std::int64_t>(got);
        done += got;
    }
    return done;
}

void TilePass::searchUpTo(std::int64_t end) {
    if (!search_ || search_->found().complete()) {
        pos_ = std::max(pos_, end);
        return;
    }
    while (pos_ < end) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kBlock, end - pos_));
        if (copy({tile_.data(), std::min(n, tile_.size())}) == 0) return;
    }
}

void TilePass::searchSeam() {
    if (!search_ || search_->found().complete()) return;
    std::array<std::uint8_t, SignatureSearch::kLength - 1> seam{};
    search_->feed(std::span(seam).first(buf_.copyStored(pos_, seam)));
}

MapBuffer TilePass::read(ByteRange span) {
    searchUpTo(span.offset);
    const auto want = std::min(static_cast<std::size_t>(span.length), tile_.size());
    MapBuffer bytes = MapBuffer::view({tile_.data(), copy({tile_.data(), want})});
    bytes.setKey(buf_.key());
    return bytes;
}

} // namespace kestrel
