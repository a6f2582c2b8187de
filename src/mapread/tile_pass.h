#pragma once
// One pass over a map file, front to back as `cat` reads it, that hands over the bytes of its
// tiles one after another and feeds every byte of the file, in order, to the signature search.
// Each tile's bytes are read at once into memory that the next tile reuses: copying a file from
// the system's cache costs less than touching each page of its mapping.
#include <cstdint>
#include <span>

#include "base/platform/platform.h"
#include "mapread/map_buffer.h"
#include "mapread/signature_search.h"
#include "mapread/subfile_view.h"

namespace kestrel {

class TilePass {
  public:
    // Starts at the file's first byte with no search (see jumpTo); the buffer must outlive the
    // pass. `largest`: the most bytes a span will ask for.
    TilePass(const MapBuffer& buf, std::size_t largest);

    // The span's bytes as a buffer of their own (the file's key set; fewer bytes where the file
    // could no longer be read), valid until the next call. Spans come in the file's order, none
    // before the end of the one before.
    MapBuffer read(ByteRange span);
    // Searches the rest of the file.
    void finish() { searchUpTo(buf_.size()); }
    // Goes on from `at` with a search of its own (null: none), which must outlive its use, for a
    // pass that takes only some stretches of the file: the next span read starts at or after
    // `at`.
    void jumpTo(std::int64_t at, SignatureSearch* search) {
        pos_ = at;
        search_ = search;
    }
    // Feeds the search the bytes just past the position that complete the signatures straddling
    // it, where another pass goes on.
    void searchSeam();

  private:
    // Copies the bytes at the position into `into`, handing them to the search a block at a time
    // while they are still in the processor's cache; how many.
    std::size_t copy(std::span<std::uint8_t> into);
    void searchUpTo(std::int64_t end);

    const MapBuffer& buf_;
    SignatureSearch* search_ = nullptr;
    std::int64_t pos_ = 0;
    // Made once, for the largest span, and reused; the bytes between spans pass through it too.
    platform::LargeBuffer tile_;
};

} // namespace kestrel
