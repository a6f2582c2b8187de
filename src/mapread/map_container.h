#pragma once
// What the reader found out about the current map file: its name, its XOR key and where its
// subfile headers start. Kept in the session, replaced by each file and read after a batch
// (`fngmp`) by the TYP writer.
#include <cstdint>
#include <string>

namespace kestrel {

struct MapContainer {
    // The map file as the batch names it (lower-cased on File > Open); tests on ".gmp" use it.
    std::string name;
    std::uint8_t key = 0;       // first byte of the file; applied when not 0
    std::int64_t rgnStart = -3; // position of "GARMIN RGN" - 2; -3 when absent
    std::int64_t treStart = -3; // position of "GARMIN TRE" - 2
    std::int64_t gmpStart = -1; // position of "GARMIN GMP" - 2; -1 when absent
    bool gmpFound = false;      // (a signature at offset 0 or 1 gives a start below 0)
    int filesRead = 0;          // files of the current batch whose map data was read

    // A GMP header was found, or the lower-cased name contains ".gmp" (an NT map).
    bool fngmp() const;
    // Base of the RGN extended-section offsets: the GMP header when one was found, else the
    // RGN header (also for a ".gmp" name without a GMP header, whose -1 base would read garbage).
    std::int64_t rgnBase() const { return gmpFound ? gmpStart : rgnStart; }
    // Base of the TRE extended offsets: the GMP header when one was found, else the TRE header.
    std::int64_t treBase() const { return gmpFound ? gmpStart : treStart; }
};

} // namespace kestrel
