#pragma once
// Every text the command line prints besides the core's own messages: usage, refused arguments,
// results. Kept together so tests compare them exactly. Texts are single lines without their line
// break, except the usage blocks, which end with one like each of their lines.
#include <cstdint>
#include <string>
#include <string_view>

#include "base/text.h"

namespace kestrel {

// Usage. The overview lists one synopsis per command; a command refusing its arguments prints its
// own usage text.
inline constexpr std::string_view kCliUsage = "usage: kestrel-cli COMMAND [OPTIONS]";
inline constexpr std::string_view kScanSynopsis =
    "scan [--highways] [--draworder|--no-draworder] [--data DIR] [--json] MAP...";
inline constexpr std::string_view kTypSynopsis =
    "typ [--highways] [--draworder|--no-draworder] [--data DIR] [--fid N] [--product N] "
    "[--codepage CP] [--kinds polygons,lines,pois] [--seed N] [--state FILE] -o OUT.txt MAP...";
inline constexpr std::string_view kProductsSynopsis = "products [--json]";
inline constexpr std::string_view kGenSynopsis =
    "gen KIND --start S --count N -o OUT.typ [--ignore-subtypes] [--line-width W] "
    "[--codepage CP] [--start-hex|--start-dec] [--count-hex] [--force] [--data DIR]";
inline constexpr std::string_view kCheckUpdateSynopsis = "check-update [--url URL]";
// A synopsis as the overview lists it, and as the usage of a command without further help.
inline std::string synopsisLine(std::string_view synopsis) {
    return concat({"  kestrel-cli ", synopsis});
}
inline std::string usageLine(std::string_view synopsis) {
    return concat({"usage: kestrel-cli ", synopsis});
}
inline constexpr std::string_view kTypUsage =
    "usage: kestrel-cli typ [--highways] [--draworder|--no-draworder] [--data DIR] [--fid N]\n"
    "                       [--product N] [--codepage CP] [--kinds polygons,lines,pois]\n"
    "                       [--seed N] [--state FILE] -o OUT.txt MAP...\n"
    "  --fid N, --product N  family ID and product code; default: from the map's TDB file\n"
    "  --codepage CP         code page named in the text (1250 to 1258); default: the state\n"
    "                        file's\n"
    "  --kinds LIST          the element kinds to write; default: the state file's selection\n"
    "  --seed N              seed of the random colours: the same seed writes the same bytes\n"
    "  --state FILE          state file to take the styles and options from; default: the one\n"
    "                        in the data folder\n"
    "Exit status: 0 written, 1 no map could be read or the text could not be written, 2 usage\n"
    "error or refused code page or family ID.\n";
inline constexpr std::string_view kGenUsage =
    "usage: kestrel-cli gen KIND --start S --count N -o OUT.typ [--ignore-subtypes]\n"
    "           [--line-width W] [--codepage CP] [--start-hex|--start-dec] [--count-hex]\n"
    "           [--force] [--data DIR]\n"
    "  KIND               pois, lines, polygons, routes (active routes) or extra-pois\n"
    "  --start S          first type in hexadecimal; for extra-pois the first ID, decimal\n"
    "                     unless --start-hex\n"
    "  --count N          number of elements, decimal (extra-pois: hexadecimal with --count-hex)\n"
    "  --ignore-subtypes  lines, polygons: one type per element, subtype 0\n"
    "  --line-width W     lines, routes: 1 to 10 (other values give 4); default 4\n"
    "  --codepage CP      code page number written in the header; default 1252\n"
    "  --force            replace OUT.typ when it exists (without it an existing file is kept\n"
    "                     and the command fails with exit status 2)\n"
    "  --data DIR         data folder holding the optional sections b2..b5 (extra-pois)\n"
    "The header's date and time are SOURCE_DATE_EPOCH (seconds, UTC) when it is set, else the\n"
    "local time now. Exit status: 0 written, 1 the file could not be written, 2 usage error or\n"
    "refused input.\n";

// The fixed answer, printed after each question (Cancel: kCancel).
inline constexpr std::string_view kAnswerYes = "Yes";
inline constexpr std::string_view kAnswerNo = "No";

// `scan` as text: the captions, then these lines and the three lists under their headings.
inline constexpr std::string_view kScanNtMap = "NT Map";
inline constexpr std::string_view kScanFid = "FID: ";
inline constexpr std::string_view kScanProductCode = "Product code: ";
inline constexpr std::string_view kScanHeadings[] = {"[Polygons]", "[Lines]", "[POIs]"};

inline std::string noStateFile(std::string_view path) {
    return concat({"typ: no state file ", path});
}

// `products`: the note when the scans found nothing.
inline constexpr std::string_view kNoProducts = "No installed map products found.";

// `gen`: its refusals follow kGenPrefix.
inline constexpr std::string_view kGenPrefix = "gen: ";
inline std::string optionNeedsValue(std::string_view option) {
    return concat({option, " needs a value"});
}
inline std::string optionUnknown(std::string_view option) {
    return concat({"unknown option ", option});
}
inline std::string oneKindOnly(std::string_view kind) {
    return concat({"one KIND only (", kind, ")"});
}
inline std::string kindUnknown(std::string_view kind) {
    return concat({"unknown KIND ", kind});
}
inline constexpr std::string_view kKindMissing = "KIND missing";
inline constexpr std::string_view kGenRequired = "--start, --count and -o are required";
inline constexpr std::string_view kStartHexOrDec = "--start-hex and --start-dec exclude each other";
inline constexpr std::string_view kExtraPoisOptions =
    "--start-hex, --start-dec and --count-hex apply to extra-pois only";
inline constexpr std::string_view kIgnoreSubtypesOption =
    "--ignore-subtypes applies to lines and polygons only";
inline constexpr std::string_view kLineWidthOption =
    "--line-width applies to lines and routes only";
inline constexpr std::string_view kCodepageOption = "--codepage must be a number from 1 to 65535";
inline std::string notANumber(std::string_view option, std::string_view text, bool hexadecimal) {
    return concat(
        {option, " \"", text, "\" is not a ", hexadecimal ? "hexadecimal" : "decimal", " number"});
}
inline constexpr std::string_view kSourceDateEpoch =
    "SOURCE_DATE_EPOCH must be a whole number of seconds";
inline constexpr std::string_view kStartAndCount =
    "--start must not be empty and --count must be at least 1";
inline std::string existsUseForce(std::string_view path) {
    return concat({path, " exists; use --force to replace it"});
}
inline std::string generated(std::string_view path, std::uint32_t elements, std::uint64_t bytes) {
    return concat(
        {path, ": ", std::to_string(elements), " elements, ", std::to_string(bytes), " bytes"});
}

// `check-update`.
inline std::string unexpectedArgument(std::string_view arg) {
    return concat({"check-update: unexpected argument: ", arg});
}
inline std::string couldNotCheck(std::string_view reason) {
    return concat({"kestrel-cli: could not check: ", reason});
}
inline std::string updateAvailable(std::string_view version) {
    return concat({"update available: ", version});
}
inline constexpr std::string_view kUpToDate = "up to date";

} // namespace kestrel
