#pragma once
// The directory of an IMG container: every subfile it lists, with its parts gathered, its blocks
// turned into runs of the file, and every contradiction found on the way (see img_layout.h for
// the format). Reading never leaves the file, never loops and takes memory in proportion to the
// directory, whatever the directory claims.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "imgfs/masked_bytes.h"

namespace kestrel::img {

struct Subfile {
    std::string name;                  // the 8 name bytes as stored ("63240301", "I2023100")
    std::string type;                  // the 3 type bytes ("TRE", "TYP")
    std::int64_t size = 0;             // bytes, as its first entry says
    std::int64_t entry = 0;            // file offset of its first entry
    int parts = 0;                     // its entries
    std::vector<std::uint16_t> blocks; // every part's blocks, in order
    std::vector<ByteRun> runs;         // the file's bytes holding it, in order
    std::int64_t held = 0; // bytes the runs hold: `size` unless the directory is damaged
};

enum class Fault : std::uint8_t {
    BlockSize,        // the block size is not 2^9 to 2^30 bytes
    NoDirectory,      // no entry in use after the header
    DirectoryPastEnd, // the directory would end past the end of the file
    TooManyEntries,   // more subfiles or blocks than block numbers can tell apart
    PartWithoutStart, // a further part of a subfile whose first part came before none
    SubfileTwice,     // a second first part of the same name and type
    BlocksDamaged,    // blocks outside the file, used twice, or too few for the size
};

struct Problem {
    Fault fault = Fault::NoDirectory;
    std::int64_t at = 0; // the byte of the file it was found at (a header field or an entry)
    std::string name;    // the subfile's name and type, when it concerns one
    std::string type;
};

struct Directory {
    std::uint8_t key = 0;
    int blockExponent = 0; // block size = 2^blockExponent; 0 when out of range
    std::int64_t blockSize = 0;
    std::int64_t headerEntry = -1; // file offset of the entry describing header and directory
    std::int64_t end = 0;          // where the directory ends, as that entry says
    std::vector<Subfile> subfiles; // in the order of their first entries
    std::vector<Problem> problems;

    // "DSKIMG" where the header has it: the bytes are an IMG container.
    static bool isContainer(const MaskedBytes& bytes);
    static Directory read(const MaskedBytes& bytes);

    bool sound() const { return blockSize > 0 && problems.empty(); }
    // The subfiles of a type ("TYP"), in directory order.
    std::vector<const Subfile*> ofType(std::string_view type) const;
};

// The name without its trailing blanks ("63240301", "I2023100").
std::string shortName(std::string_view name);
// "I2023100.TYP": the short name and the type.
std::string fileName(std::string_view name, std::string_view type);

} // namespace kestrel::img
