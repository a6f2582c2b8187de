#pragma once
// A pass over a mapped file, block by block, with the copying done on a thread of its own a few
// blocks ahead of the reader: the system's copy of the bytes and the reader's work on them
// overlap, as they cannot within one thread.
#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>

#include "base/platform/platform.h"

namespace kestrel {

class ReadAhead {
  public:
    // Starts copying the file's bytes from the offset on. The file must outlive this object.
    ReadAhead(const platform::MappedFile& file, std::size_t from, std::size_t blockSize);
    // Stops the copying, even mid-file.
    ~ReadAhead();
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The bytes that follow those of the previous call, valid until the next call; empty at the
    // file's end, or where the file could no longer be read.
    std::span<const std::uint8_t> next();

  private:
    static constexpr std::size_t kSlots = 4;

    void copyAhead(std::size_t from);
    std::uint8_t* slot(std::size_t block) const {
        return slots_.get() + block % kSlots * blockSize_;
    }

    const platform::MappedFile& file_;
    // Left unset until copied into: zeroing them first would cost a pass of its own.
    std::unique_ptr<std::uint8_t[]> slots_;
    std::size_t blockSize_;
    std::array<std::size_t, kSlots> lengths_{};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t filled_ = 0;   // blocks copied
    std::size_t released_ = 0; // blocks the reader is done with
    bool handedOut_ = false;   // the reader holds block `released_`
    bool stop_ = false;
    std::thread copier_;
};

} // namespace kestrel
