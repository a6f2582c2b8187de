#include "mapread/read_ahead.h"

namespace kestrel {

ReadAhead::ReadAhead(const platform::MappedFile& file, std::size_t from, std::size_t blockSize)
    : file_(file), slots_(std::make_unique_for_overwrite<std::uint8_t[]>(kSlots * blockSize)),
      blockSize_(blockSize) {
    copier_ = std::thread([this, from] { copyAhead(from); });
}

ReadAhead::~ReadAhead() {
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    changed_.notify_all();
    copier_.join();
}

void ReadAhead::copyAhead(std::size_t from) {
    for (std::size_t block = 0, pos = from;; ++block) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [&] { return stop_ || block - released_ < kSlots; });
            if (stop_) return;
        }
        // Only this thread writes the slot until it is counted as filled.
        const std::size_t n = file_.copy(pos, {slot(block), blockSize_});
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            lengths_[block % kSlots] = n;
            ++filled_;
        }
        changed_.notify_all();
        if (n == 0) return;
        pos += n;
    }
}

std::span<const std::uint8_t> ReadAhead::next() {
    std::unique_lock<std::mutex> lock(mutex_);
    if (handedOut_) {
        ++released_;
        handedOut_ = false;
        changed_.notify_all();
    }
    changed_.wait(lock, [&] { return filled_ > released_; });
    const std::size_t slot = released_ % kSlots;
    if (lengths_[slot] == 0) return {};
    handedOut_ = true;
    return {this->slot(released_), lengths_[slot]};
}

} // namespace kestrel
