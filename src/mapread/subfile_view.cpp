#include "mapread/subfile_view.h"

#include <algorithm>
#include <utility>

namespace kestrel {

SubfileView::SubfileView(const MapBuffer& buf, std::vector<ByteRange> ranges)
    : buf_(&buf), ranges_(std::move(ranges)) {
    starts_.reserve(ranges_.size());
    for (const ByteRange& r : ranges_) {
        starts_.push_back(size_);
        size_ += r.length;
    }
}

std::size_t SubfileView::rangeOf(std::int64_t at) const {
    return static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), at) -
                                    starts_.begin() - 1);
}

std::int64_t SubfileView::fileOffset(std::int64_t at) const {
    if (!holds(at, 1)) return -1;
    const std::size_t i = rangeOf(at);
    return ranges_[i].offset + (at - starts_[i]);
}

std::span<const std::uint8_t> SubfileView::stored(std::int64_t at, std::int64_t n) const {
    if (!holds(at, 1) || !holds(at, n)) return {};
    const std::size_t i = rangeOf(at);
    if (at - starts_[i] + n > ranges_[i].length) return {};
    return buf_->stored(ranges_[i].offset + (at - starts_[i]), n);
}

} // namespace kestrel
