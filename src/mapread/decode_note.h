#pragma once
// Why and where the complete decode of a map stopped. Kept typed; the text is made in one place.
#include <cstdint>
#include <string>

namespace kestrel {

enum class DecodeStop : std::uint8_t {
    NotAContainer,    // neither an IMG container nor a GMP subfile on its own
    DirectoryDamaged, // directory entries that contradict each other or the file
    MissingSubfile,   // a tile without its TRE or RGN subfile
    LevelsLocked,     // the map levels are scrambled
    LevelsDamaged,    // map level or subdivision table out of place
    ExtendedOffsetsDamaged,
    SubdivisionDamaged, // a subdivision's data range or section pointers out of place
    RecordDamaged,      // a record that runs past its range or has an unknown length form
    ShapeDamaged,       // an object whose coordinates cannot be read (the first of a tile)
    TooManyPoints,      // a tile of more points than any map holds
    NtFallback,         // an NT map this decoder cannot read
    Stopped,            // the user asked to stop
};

struct DecodeNote {
    DecodeStop why = DecodeStop::NotAContainer;
    std::string tile;         // the tile's name in the directory; empty for the whole file
    std::string subfile;      // "TRE", "RGN", "GMP"; empty for the whole file
    std::int64_t offset = -1; // byte of the file where it stopped; -1 when not tied to one
    bool operator==(const DecodeNote&) const = default;
};

// A stop inside one subfile, at an offset from the subfile's start; the scan turns it into a note.
struct SubfileStop {
    DecodeStop why = DecodeStop::RecordDamaged;
    std::int64_t at = 0;
};

// One line of text for the note, e.g. "63240021 RGN at 0x5C2: record runs past its range".
std::string describe(const DecodeNote& note);

} // namespace kestrel
