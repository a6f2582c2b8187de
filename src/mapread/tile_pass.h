#pragma once
// One pass over a map file, front to back as `cat` reads it, that hands over the bytes of its
// tiles one after another and feeds every byte of the file, in order, to the signature search.
// The reading and the search run on a thread of their own, one tile ahead of the caller, who
// decodes meanwhile: the copying of the file and the decoding overlap.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "base/platform/platform.h"
#include "mapread/map_buffer.h"
#include "mapread/signature_search.h"
#include "mapread/subfile_view.h"

namespace kestrel {

class TilePass {
  public:
    // Starts reading the spans of the file in the buffer (in the file's order, none overlapping
    // the one before). `search` may be null; buffer and search must outlive the pass.
    TilePass(const MapBuffer& buf, std::vector<ByteRange> spans, SignatureSearch* search);
    ~TilePass();
    TilePass(const TilePass&) = delete;
    TilePass& operator=(const TilePass&) = delete;

    // The next span's bytes as a buffer of their own (the file's key set; fewer bytes where the
    // file could no longer be read), valid until the next call.
    MapBuffer next();
    // No more spans are wanted: the rest of the file is only searched. Returns at the file's end.
    void finish();

  private:
    struct Slot {
        platform::LargeBuffer bytes; // as long as the largest span, reused
        std::size_t length = 0;
    };

    void readAhead();
    // Copies the bytes at the position into `into`, handing them to the search a block at a time
    // while they are still in the processor's cache; how many.
    std::size_t copy(std::span<std::uint8_t> into);
    void searchUpTo(std::int64_t end);

    const MapBuffer& buf_;
    const std::vector<ByteRange> spans_;
    SignatureSearch* search_;
    std::size_t largest_ = 0;
    std::int64_t pos_ = 0; // the reading thread's
    std::vector<std::uint8_t> block_;
    std::array<Slot, 2> slots_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t filled_ = 0;   // spans read
    std::size_t released_ = 0; // spans the caller is done with
    bool handedOut_ = false;   // the caller holds span `released_`
    bool enough_ = false;      // no more spans wanted
    std::atomic<bool> stop_{false};
    std::thread reader_;
};

} // namespace kestrel
