#pragma once
// Every text of the binary TYP writer and its generator dialog that a user sees, in one place so
// that tests compare them exactly.
#include <string>
#include <string_view>

namespace kestrel {

// Kind names, as the dialog shows them.
inline constexpr std::string_view kKindExtraPois = "Extra POIS";
inline constexpr std::string_view kKindPois = "POIS";
inline constexpr std::string_view kKindLines = "Lines";
inline constexpr std::string_view kKindPolygons = "Polygons";
inline constexpr std::string_view kKindActiveRoutes = "Active Routes";

// Tools menu items 2 to 6.
inline constexpr std::string_view kMenuExtraPois = "Create EXTRA POIS TYP";
inline constexpr std::string_view kMenuPois = "Create POIS TYP";
inline constexpr std::string_view kMenuLines = "Create Lines TYP";
inline constexpr std::string_view kMenuPolygons = "Create Polygons TYP";
inline constexpr std::string_view kMenuActiveRoutes = "Create Active Routes";

// Dialog captions and labels. The title is kGeneratorTitlePrefix + kind name, the count label
// kGeneratorCountPrefix + kind name.
inline constexpr std::string_view kGeneratorTitlePrefix = "Create ";
inline constexpr std::string_view kGeneratorCountPrefix = "Number of ";
inline constexpr std::string_view kGeneratorStartLabel = "From 0 x";
// The doubled ampersand shows as one "&" in a caption that treats "&" as a mnemonic marker.
inline constexpr std::string_view kGeneratorIgnoreSubtypes = "Ignore subtypes with types <&&100";
inline constexpr std::string_view kGeneratorHexBox = "Hex";
inline constexpr std::string_view kGeneratorLineWidth = "Line Width";
inline constexpr std::string_view kGeneratorPathLabel = "TYP File";
inline constexpr std::string_view kGeneratorCreate = "Create TYP";
inline constexpr std::string_view kGeneratorClose = "Close";
inline constexpr std::string_view kDefaultTypName = "untitled.typ";
inline constexpr std::string_view kGeneratorDefaultRange = "0 x 1 --> 0 x 1F";

// Range label: kRangePrefix + hex(first) + kRangeArrow + last part.
inline constexpr std::string_view kRangePrefix = "0 x ";
inline constexpr std::string_view kRangeArrow = " -> 0 x ";

// Validation of POIs, lines, polygons and active routes.
inline constexpr std::string_view kMaxElements = "Max number of elements = 1800";
inline constexpr std::string_view kLastTypePrefix = "Last ID would have been ~ &";
inline constexpr std::string_view kTypeRange = "  ID's are between 1 - &1FF1F  ";

// Validation of extra POIs.
inline constexpr std::string_view kMaxExtraPoisDec = "? Maximum Extra POIs: 32767 ";
inline constexpr std::string_view kMaxExtraPoisHex = "? Maximum Extra POIs : &7FFF ";
inline constexpr std::string_view kLastIdPrefixDec = "Last ID would have been";
inline constexpr std::string_view kIdRangeDec = " ID's are between 1 - 65535 ";
inline constexpr std::string_view kLastIdPrefixHex = "Last ID would have been &";
inline constexpr std::string_view kIdRangeHex = "  ID's are between 1 - &FFFF  ";

inline constexpr std::string_view kOverwriteTyp = "TYP file exists . Overwrite this file?";
inline constexpr std::string_view kTypCreatedPrefix = "Created ";

// Shown by the caller when a generator could not write its file.
inline std::string typWriteFailed(std::string_view path) {
    return "Could not write the TYP file " + std::string(path) +
           ". An existing file of that name was left unchanged.";
}

} // namespace kestrel
