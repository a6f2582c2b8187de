#include "mapread/tile_pass.h"

#include <algorithm>

namespace kestrel {
namespace {

// The bytes are read in blocks of this size, which stay in the processor's cache for the search.
constexpr std::size_t kBlock = std::size_t(256) << 10;

} // namespace

TilePass::TilePass(const MapBuffer& buf, std::vector<ByteRange> spans, SignatureSearch* search)
    : buf_(buf), spans_(std::move(spans)), search_(search), block_(kBlock) {
    for (const ByteRange& span : spans_)
        largest_ = std::max(largest_, static_cast<std::size_t>(span.length));
    reader_ = std::thread([this] { readAhead(); });
}

TilePass::~TilePass() {
    if (!reader_.joinable()) return;
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

std::size_t TilePass::copy(std::span<std::uint8_t> into) {
    std::size_t done = 0;
    while (done < into.size() && !stop_) {
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
    while (pos_ < end && !stop_) {
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kBlock, end - pos_));
        if (copy({block_.data(), n}) == 0) return;
    }
}

void TilePass::readAhead() {
    for (std::size_t k = 0; k < spans_.size(); ++k) {
        searchUpTo(spans_[k].offset);
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || enough_ || k - released_ < slots_.size(); });
            if (stop_) return;
            if (enough_) break;
        }
        // Only this thread touches the slot until it is counted as filled.
        Slot& slot = slots_[k % slots_.size()];
        const auto want = static_cast<std::size_t>(spans_[k].length);
        // Made once, for the largest span: memory of large pages costs most when first touched.
        if (slot.bytes.size() == 0) slot.bytes = platform::LargeBuffer(largest_);
        slot.length = copy({slot.bytes.data(), std::min(want, slot.bytes.size())});
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            ++filled_;
        }
        changed_.notify_all();
    }
    searchUpTo(buf_.size());
}

MapBuffer TilePass::next() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (handedOut_) {
        ++released_;
        changed_.notify_all();
    }
    changed_.wait(lock, [&] { return filled_ > released_; });
    handedOut_ = true;
    const Slot& slot = slots_[released_ % slots_.size()];
    MapBuffer bytes = MapBuffer::view({slot.bytes.data(), slot.length});
    bytes.setKey(buf_.key());
    return bytes;
}

void TilePass::finish() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        enough_ = true;
    }
    changed_.notify_all();
    reader_.join();
}

} // namespace kestrel
