#pragma once
// Every text of the TYP-of-a-map jobs: what putting a TYP into a map did or why it did not, and
// what is wrong with a map's directory. Shown by the command line and the desktop program alike;
// kept together so tests compare them exactly.
#include <string>
#include <string_view>

#include "imgfs/img_directory.h"
#include "maptyp/put_typ.h"

namespace kestrel::maptyp {

namespace msg {
inline constexpr std::string_view kNotAContainer = "not an IMG map container";
inline constexpr std::string_view kNotATyp = "not a binary TYP file";
inline constexpr std::string_view kTypTooLarge = "larger than 64 MB, too large for a TYP file";
inline constexpr std::string_view kFamilyUnknown =
    "names no family ID (no MPS subfile in it, no TDB file beside it)";
inline constexpr std::string_view kSeveralFamilies = "holds maps of several families";
inline constexpr std::string_view kTypChoiceUnclear =
    "holds several TYP files, and not exactly one of the family";
inline constexpr std::string_view kMapTooLarge = "the new map would be too large for an IMG file";
inline constexpr std::string_view kOutputIsInput = "it is the map or the TYP read";
inline constexpr std::string_view kStopped = "stopped before it was complete";
inline constexpr std::string_view kReplaced = "replaced";
inline constexpr std::string_view kAdded = "added";
inline constexpr std::string_view kUnmasked = "the map was XOR-masked; the copy is not";
} // namespace msg

// "4712, 4713".
std::string familyList(const std::vector<std::uint16_t>& ids);
// "block size out of range at 0x61", "a subfile listed twice (63240301.TRE) at 0x800".
std::string describe(const img::Problem& problem);
// One line: what was written ("wrote NEW.img: I2023100.TYP replaced, family ID 4712, product 2,
// 11776 bytes"), or why nothing was.
std::string describe(const PutTypRequest& request, const PutTypResult& result);

} // namespace kestrel::maptyp
