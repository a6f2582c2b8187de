#pragma once
// Writes a new IMG container from an old one with one subfile replaced or added. The new file is
// laid out afresh, as mkgmap lays out a gmapsupp: the old header (its fields kept, the size fields
// fitted to the new file), the directory with one entry per part, then every subfile in directory
// order on whole blocks of its own, none shared. The block size stays unless the blocks would no
// longer fit: more than 0xFFFE blocks, or a directory of more blocks than its own entry can list;
// then it doubles until they do. The new file is never masked.
#include <cstdint>
#include <cstdio>
#include <string>
#include <variant>
#include <vector>

#include "base/files.h"
#include "base/uiport.h"
#include "imgfs/img_directory.h"

namespace kestrel::img {

// A subfile to write in place of the old one of the same name and type, or after the last one.
struct NewSubfile {
    std::string name; // 8 bytes (cut or padded with blanks when not)
    std::string type; // 3 bytes (likewise)
    std::string bytes;
};

enum class LayoutFault : std::uint8_t {
    Unsound,  // the old directory has problems (Directory::problems): nothing is copied from it
    TooLarge, // no block size up to 2^30 bytes holds the new container
};

struct ContainerLayout {
    int blockExponent = 0;
    std::int64_t blockSize = 0;
    std::string head;                     // header and directory entries, unmasked
    std::int64_t directoryEnd = 0;        // head and zeros up to here: whole blocks
    std::vector<const Subfile*> subfiles; // after the directory, in order; null: the new one
    std::uint64_t fileSize = 0;
    bool replaced = false; // the new subfile took an old one's place
};

std::variant<ContainerLayout, LayoutFault>
planContainer(const MaskedBytes& old, const Directory& dir, const NewSubfile& added);

// Writes the planned container into the sink: its own bytes, the new subfile's, and the old
// subfiles' copied from `oldFile` (the old container open for reading, unmasked on the way).
// Shows progress; false when the sink failed or the user asked to stop.
bool writeContainer(const ContainerLayout& layout, const NewSubfile& added, std::FILE* oldFile,
                    std::uint8_t key, FileSink& sink, UiPort& ui);

} // namespace kestrel::img
