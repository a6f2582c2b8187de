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

std::int64_t SubfileView::fileOffset(std::int64_t at) const {
    if (!holds(at, 1)) return -1;
    const auto i = static_cast<std::size_t>(std::upper_bound(starts_.begin(), starts_.end(), at) -
                                            starts_.begin() - 1);
    return ranges_[i].offset + (at - starts_[i]);
}

} // namespace kestrel
