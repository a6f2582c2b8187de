#pragma once
// A TYP named on the command line, read into the model: a binary TYP, a TYP text, or a Garmin map
// holding a TYP (its first one). What went wrong comes back as the line to print.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "typfile/typ_file.h"

namespace kestrel::cli {

// Larger than any TYP file: mkgmap's end at 16 MB, and no tool's come near.
inline constexpr std::uint64_t kMaxTypFile = std::uint64_t{64} << 20;

struct TypInput {
    typ::TypFile typ;
    std::vector<std::string> notes; // what the reader met and read past, one line each
};

// The TYP of the file; else the error line ("FILE: reason" or "FILE:LINE: reason").
std::variant<TypInput, std::string> readTypInput(const std::string& path);
// The map's first TYP; nothing when it holds none (or is no IMG container), else as above.
std::variant<std::monostate, TypInput, std::string> readMapTyp(const std::string& map);

} // namespace kestrel::cli
