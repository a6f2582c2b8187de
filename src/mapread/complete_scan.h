#pragma once
// The complete inventory of a map file: every object of every tile decoded, per kind the types
// in order of first sight with their number of objects and map levels, and notes on where
// decoding stopped.
#include <array>
#include <vector>

#include "base/uiport.h"
#include "mapread/decode_note.h"
#include "mapread/map_buffer.h"
#include "mapread/type_tally.h"

namespace kestrel {

struct CompleteResult {
    std::array<std::vector<TypeCount>, kObjectKinds> kinds; // by ObjectKind
    std::vector<DecodeNote> notes;
    // An NT tile could not be decoded (one NtFallback note says so): the caller reads the file
    // the overview way instead. The other tiles' types are still listed.
    bool ntFallback = false;

    const std::vector<TypeCount>& list(ObjectKind kind) const {
        return kinds[static_cast<std::size_t>(kind)];
    }
};

class CompleteScan {
  public:
    // Decodes the map in the buffer, whose key is already set. Yields to the user interface
    // between subdivisions and honours its stop flag (a Stopped note ends the notes).
    // A file is read front to back, as `cat` reads it, each tile's bytes at once into memory
    // that the next tile reuses, on two threads where the processor has two (each takes the
    // next tile when it is free); `search`, when given, finds the signatures in every byte of the
    // file on the way, so that one pass over the file serves both.
    static CompleteResult run(const MapBuffer& buf, UiPort& ui, SignatureSearch* search = nullptr);
};

} // namespace kestrel
