#pragma once
// Writes the model as a binary TYP laid out as mkgmap lays it out: the sections first (polygons,
// lines, points, draw order, icon sets, icon labels and their two indexes), each element list
// sorted by code, then the 0x9C-byte header with their places. A file of mkgmap's, read and
// written again, comes out byte for byte (the header's date aside); docs/typ-binary.md lists the
// few cases that cannot. A model with active routes gets the 0xAE-byte header form that indexes
// them.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "typfile/record_encoder.h"
#include "typfile/typ_clock.h"
#include "typfile/typ_file.h"

namespace kestrel::typ {

// mkgmap refuses a TYP file of 16 MB or more (its offsets and sizes are kept in 24 bits).
inline constexpr std::uint32_t kMaxFileSize = 0xFFFFFF;

struct BinaryWrite {
    std::string bytes;               // the whole file; empty when refused
    std::optional<WriteError> error; // set: nothing was written
    std::vector<DroppedLabel> droppedLabels;
};

BinaryWrite writeBinary(const TypFile& typ, const DateTime& created);

} // namespace kestrel::typ
