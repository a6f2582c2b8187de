#pragma once
// Every text the command line prints besides the lists and files it writes: help, notes, refusals
// and results, in the command line's own words (the desktop program keeps its own texts). Kept
// together so tests compare them exactly. Texts are single lines without their line break.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/counted.h"
#include "base/text.h"
#include "mapread/messages.h"
#include "typbin/messages.h"
#include "typfile/binary_reader.h"
#include "typfile/text_writer.h"

namespace kestrel {

// Notes and errors start with the program's name.
inline constexpr std::string_view kProgramPrefix = "kestrel-cli: ";

// Help: the program, its commands, their options and exit statuses.
inline constexpr std::string_view kProgramAbout =
    "Reads the polygon, line and POI types that Garmin maps use and writes TYP files for them.";
inline constexpr std::string_view kHelpOption = "print this help and exit";
inline constexpr std::string_view kVersionOption = "print the version and exit";
inline constexpr std::string_view kQuietOption = "no notes and no progress line on stderr";
inline constexpr std::string_view kMapsOption =
    "Garmin map files (.img, .gmp); each one that cannot be read is named and skipped";
inline constexpr std::string_view kHighwaysOption =
    "add the default Highways+ road types to the lines";
inline constexpr std::string_view kCompleteOption =
    "decode every object of every map tile: standard POIs too, with object counts and levels";
inline constexpr std::string_view kDraworderOption =
    "add draw-order levels to the polygons; default: as the state file says";
inline constexpr std::string_view kNoDraworderOption = "leave the draw-order levels out";
inline constexpr std::string_view kDataOption =
    "data folder with the name and style texts and icons; default: the program's";
inline constexpr std::string_view kJsonOption = "print JSON instead of text";

inline constexpr std::string_view kScanAbout =
    "List the types the maps use, with captions, levels, family ID and product code.";
inline constexpr std::string_view kScanFooter =
    "Exit status: 0 every map read, 1 none read, 2 usage error, 3 some maps skipped.";

inline constexpr std::string_view kTypAbout =
    "Write the TYP source text for the types the maps use, with the styles and options of the "
    "state file.";
inline constexpr std::string_view kTypOutputOption =
    "the text file to write, '-' for stdout; an existing file is replaced, a Garmin map or binary "
    "TYP only with --force";
inline constexpr std::string_view kFidOption =
    "family ID, 1 to 65000; default: from the map's TDB file";
inline constexpr std::string_view kProductOption =
    "product code, 1 to 65535; default: from the map's TDB file, else 1";
inline constexpr std::string_view kTypCodepageOption =
    "code page named in the text, 1250 to 1258; default: the state file's";
inline constexpr std::string_view kKindsOption =
    "the kinds to write, comma-separated: polygons, lines, pois; default: the state file's";
inline constexpr std::string_view kSeedOption =
    "seed of the random colours, 0 to 4294967295: the same seed writes the same bytes";
inline constexpr std::string_view kStateOption =
    "state file to take the styles and options from; default: the one in the data folder";
inline constexpr std::string_view kTypForceOption =
    "replace the output even when it holds a Garmin map or a binary TYP";
inline constexpr std::string_view kTypFooter =
    "Exit status: 0 written, 1 no map read or the file not written, 2 usage error or refused "
    "value, 3 written but some maps skipped.";

inline constexpr std::string_view kMapTypAbout =
    "List the TYP files inside maps: name, size, family ID, product, code page, and whether the "
    "family ID is the map's.";
inline constexpr std::string_view kImgMapsOption =
    "Garmin IMG maps (a tile .img or a gmapsupp.img); each one that cannot be read is named and "
    "skipped";
inline constexpr std::string_view kExtractOption =
    "also write each TYP file into this folder (made when missing) as NAME.TYP";
inline constexpr std::string_view kMapTypFooter =
    "Text: one line per TYP file: map, name, size, family ID, product, code page, family check, "
    "separated by tabs. Exit status: 0 every map read (and every TYP written), 1 none read or a "
    "TYP not written, 2 usage error, 3 some maps skipped.";

inline constexpr std::string_view kPutTypAbout =
    "Write a copy of a map with a TYP file put into it: in place of the map's TYP, or added when "
    "it has none.";
inline constexpr std::string_view kPutTypMapOption =
    "the map: a tile .img or a gmapsupp.img; it is never changed";
inline constexpr std::string_view kPutTypTypOption = "the binary TYP file to put into it";
inline constexpr std::string_view kPutTypOutputOption =
    "the new map; an existing file only with --force";
inline constexpr std::string_view kKeepIdsOption =
    "keep the TYP's family ID and product; default: set them to the map's (its MPS subfile's, "
    "else its TDB file's)";
inline constexpr std::string_view kPutTypFooter =
    "The copy is never XOR-masked, even when the map is. Exit status: 0 written, 1 not written, "
    "2 usage error.";

inline constexpr std::string_view kProductsAbout =
    "List the installed Garmin map products: name, family ID, where found, folder.";

inline constexpr std::string_view kGenAbout =
    "Write a binary TYP of numbered POIs, lines, polygons, active routes or extra POIs.";
inline constexpr std::string_view kKindOption =
    "pois, lines, polygons, routes (active routes) or extra-pois";
inline constexpr std::string_view kStartOption =
    "first type, hexadecimal, 1 to 1FF; extra-pois: first ID, 1 to 65535, decimal unless "
    "--start-hex";
inline constexpr std::string_view kCountOption =
    "number of elements, decimal, 1 to 1800; extra-pois: 1 to 32767, hexadecimal with "
    "--count-hex";
inline constexpr std::string_view kGenOutputOption =
    "the TYP file to write, '-' for stdout; an existing file only with --force";
inline constexpr std::string_view kIgnoreSubtypesOption =
    "lines, polygons: one type per element, subtype 0";
inline constexpr std::string_view kLineWidthOption = "lines, routes: line width 1 to 10; default 4";
inline constexpr std::string_view kGenCodepageOption =
    "code page number written in the header, 1 to 65535; default 1252";
inline constexpr std::string_view kStartHexOption = "extra-pois: --start is hexadecimal";
inline constexpr std::string_view kStartDecOption = "extra-pois: --start is decimal (the default)";
inline constexpr std::string_view kCountHexOption = "extra-pois: --count is hexadecimal";
inline constexpr std::string_view kForceOption = "replace the file when it exists";
inline constexpr std::string_view kGenDataOption =
    "data folder holding the optional sections b2..b5 (extra-pois)";
inline constexpr std::string_view kGenFooter =
    "The header's date and time are SOURCE_DATE_EPOCH (seconds, UTC) when it is set, else the "
    "local time now. Exit status: 0 written, 1 the file not written, 2 usage error or refused "
    "value.";

inline constexpr std::string_view kCompileAbout =
    "Compile a TYP source text into a binary TYP file, as mkgmap compiles it.";
inline constexpr std::string_view kTextOption = "the TYP source text (mkgmap's dialect)";
inline constexpr std::string_view kCompileOutputOption =
    "the TYP file to write, '-' for stdout; an existing file is replaced, a Garmin map or binary "
    "TYP only with --force";
inline constexpr std::string_view kCompileFidOption =
    "family ID, 1 to 65000; default: the text's [_id] FID";
inline constexpr std::string_view kCompileProductOption =
    "product code, 1 to 65535; default: the text's [_id] ProductCode";
inline constexpr std::string_view kCompileCodepageOption =
    "code page of the labels, 1 to 65535; default: the text's CodePage, else 1252";
inline constexpr std::string_view kCompileFooter =
    "A text that cannot be compiled is named as FILE:LINE: reason, and nothing is written; "
    "FILE:LINE: warning: says where the text compiles as mkgmap compiles it but loses something. "
    "The header's date and time are SOURCE_DATE_EPOCH (seconds, UTC) when it is set, else the "
    "local time now. Exit status: 0 written, 1 the text not compiled or the file not written, "
    "2 usage error or refused value.";

inline constexpr std::string_view kDecompileAbout =
    "Write the TYP source text of a binary TYP file, in the dialect mkgmap compiles.";
inline constexpr std::string_view kTypFileOption = "the binary TYP file to read";
inline constexpr std::string_view kDecompileOutputOption =
    "the text file to write, '-' for stdout; an existing file is replaced, a Garmin map or binary "
    "TYP only with --force";
inline constexpr std::string_view kDecompileFooter =
    "Exit status: 0 written, 1 the file not read or not written, 2 usage error, 3 written, but "
    "the notes name what the text leaves out or could not be read.";

inline constexpr std::string_view kLegendAbout =
    "Write the legend sheet of a TYP: every element drawn by day and by night, with its code, "
    "draw level, labels, font and label colours.";
inline constexpr std::string_view kLegendInputOption =
    "a TYP source text, a binary TYP file, or a map holding a TYP";
inline constexpr std::string_view kLegendOutputOption =
    "the sheet to write: .png, .svg or .html (one self-contained page), '-' for stdout with "
    "--format; an existing file is replaced, a Garmin map or binary TYP only with --force";
inline constexpr std::string_view kLegendMapOption =
    "a map to set the TYP beside: object counts, the map's types the TYP leaves unstyled, "
    "polygons the draw order leaves out, elements the map never uses";
inline constexpr std::string_view kLegendFormatOption =
    "png, svg or html; default: the output's extension";
inline constexpr std::string_view kLegendFooter =
    "A TYP whose pictures are misshapen is refused with the element and the fault. Exit status: "
    "0 written, 1 the input or map not read, refused or the file not written, 2 usage error, "
    "3 written, but records of the TYP could not be read.";
inline constexpr std::string_view kLegendUnavailable =
    "legend: this build of kestrel-cli cannot draw (it was built without Cairo)";
inline constexpr std::string_view kLegendFormatUnknown =
    "name the output .png, .svg or .html, or give --format";
// A map of several TYP files, whose first one a legend or a picture takes.
inline std::string firstOfSeveralTyps(std::size_t typs, std::string_view used) {
    return concat({"holds ", std::to_string(typs), " TYP files; the first, ", used,
                   ", is used (map-typ --extract takes out each)"});
}
inline constexpr std::string_view kLegendMapIncomplete =
    "not every object could be decoded: the counts are those of the decoded part";
inline std::string legendReadNotes(std::size_t records) {
    return concat({counted(records, "record", "records"), " could not be read; left out"});
}
inline std::string legendContents(std::size_t polygons, std::size_t lines, std::size_t points,
                                  std::size_t unstyled, bool withMap) {
    std::string text =
        concat({counted(polygons, "polygon", "polygons"), ", ", counted(lines, "line", "lines"),
                ", ", counted(points, "point", "points")});
    if (withMap) text += concat({", ", counted(unstyled, "type", "types"), " of the map unstyled"});
    return text;
}

inline constexpr std::string_view kCheckUpdateAbout =
    "Compare this version with the published one.";
inline constexpr std::string_view kUrlOption = "version page to read; default: the published one";
inline constexpr std::string_view kCheckUpdateFooter =
    "Exit status: 0 up to date or update available, 1 could not check, 2 usage error.";

// The help's own words in place of the parser's.
inline constexpr std::pair<const char*, const char*> kHelpLabels[] = {{"SUBCOMMAND", "COMMAND"},
                                                                      {"Positionals", "Arguments"}};

// Refused arguments.
inline constexpr std::string_view kCommandMissing =
    "a command is needed: scan, typ, compile, decompile, map-typ, put-typ, products, gen, legend, "
    "render or check-update";
inline std::string unknownCommand(std::string_view name) {
    return concat({"unknown command ", name, " (see kestrel-cli --help)"});
}
inline std::string seeHelp(std::string_view command) {
    return concat({"see kestrel-cli ", command, command.empty() ? "" : " ", "--help"});
}
inline std::string notInRange(std::uint64_t min, std::uint64_t max) {
    return concat(
        {"must be a whole number from ", std::to_string(min), " to ", std::to_string(max)});
}
inline constexpr std::string_view kKindsRefused = "must list polygons, lines or pois";
inline constexpr std::string_view kKeepIdsHint = "; --keep-ids keeps the TYP's own";
inline constexpr std::string_view kMapNotToStdout = "a map is written to a file, not to stdout";
inline constexpr std::string_view kNoFolder = "not a folder that can be made";

inline std::string notAFolder(std::string_view path) {
    return concat({path, " is not a folder"});
}
inline std::string emptyOptionValue(std::string_view option) {
    return concat({option, ": must not be empty"});
}

// `map-typ`.
inline constexpr std::string_view kNoTypHeader = "no TYP header";
inline constexpr std::string_view kMapFamilyUnknown = "the map's family ID is unknown";
inline constexpr std::string_view kFamilyMatches = "family ID is the map's";
inline std::string familyDiffers(std::string_view mapFamilies) {
    return concat({"family ID differs from the map's (", mapFamilies, ")"});
}
inline constexpr std::string_view kDirectoryDamaged = "directory damaged: ";
inline std::string noTypInside(std::string_view path) {
    return concat({path, ": no TYP file inside"});
}

// The command line's words for the core's notes; empty for a note it leaves out (a skipped map's
// own line says why, a written file's own line what).
inline std::string_view cliNote(std::string_view coreText) {
    using namespace std::string_view_literals;
    if (coreText == msg::kHighwaysHint)
        return "an NT map: --highways adds the Highways+ road types"sv;
    if (coreText == msg::kNoFid) return "no family ID found (no TDB file beside the map)"sv;
    if (coreText == msg::kMultipleTdb)
        return "several TDB files beside the map: the family ID is a random one"sv;
    if (coreText == msg::kFileTooBig)
        return "larger than 139 MB: only its essential data is read"sv;
    if (coreText == msg::kNoInformation || startsWith(coreText, kTypCreatedPrefix)) return {};
    return coreText;
}

// Maps that could not be read, results and refusals of the commands that read them.
inline std::string skippedMap(std::string_view path, std::string_view why) {
    return concat({path, ": ", why});
}
inline constexpr std::string_view kNotMapName = "not a map file name (.img or .gmp)";
inline constexpr std::string_view kScanNtMap = "NT Map";
inline constexpr std::string_view kScanFid = "FID: ";
inline constexpr std::string_view kScanProductCode = "Product code: ";
inline constexpr std::string_view kScanHeadings[] = {"[Polygons]", "[Lines]", "[POIs]"};
inline std::string noStateFile(std::string_view path) {
    return concat({"no state file ", path});
}
inline std::string cannotReadState(std::string_view path, std::string_view why) {
    return concat({"cannot read the state file ", path, ": ", why});
}
inline std::string notAStateFile(std::string_view path) {
    return concat({path, " is not a state file"});
}
inline std::string noNameTexts(std::string_view folder,
                               const std::vector<std::string_view>& files) {
    std::string names;
    for (const std::string_view f : files) names += concat({names.empty() ? "" : ", ", f});
    return concat(
        {"the data folder ", folder, " has no ", names, ": types are listed without names"});
}
inline constexpr std::string_view kNothingWritten = "no map could be read; nothing written";
inline std::string mapFidOutOfRange(std::string_view fid) {
    return concat({"the map's family ID ", fid, " is not from 1 to 65000; give one with --fid"});
}
inline std::string stateCodepageRefused(std::string_view codepage) {
    return concat({"the state file's code page ", codepage,
                   " is not from 1250 to 1258; give one with --codepage"});
}

// Outputs.
inline constexpr std::string_view kStdout = "-";
inline constexpr std::string_view kStdoutName = "stdout";
inline std::string outputIsInput(std::string_view path) {
    return concat({"will not write ", path, ": it is one of the files read"});
}
inline std::string cannotWrite(std::string_view path, std::string_view why) {
    return concat({"cannot write ", path, ": ", why});
}
inline constexpr std::string_view kNotRegularOutput = "not a regular file";
inline constexpr std::string_view kWriteStopped = "stopped before it was complete";
inline std::string existsUseForce(std::string_view path) {
    return concat({path, " exists; use --force to replace it"});
}
inline std::string garminFileUseForce(std::string_view path, bool typ) {
    return concat({path, typ ? " is a binary TYP file" : " holds a Garmin map",
                   "; use --force to replace it"});
}
inline std::string neverOverMap(std::string_view path) {
    return concat({"will not write ", path, ": it holds a Garmin map"});
}
// "3 polygons, 2 lines, 5 points, 1 icon set": what a TYP file holds.
inline std::string typContents(const typ::TypFile& t) {
    return concat({counted(t.polygons.size(), "polygon", "polygons"), ", ",
                   counted(t.lines.size(), "line", "lines"), ", ",
                   counted(t.points.size(), "point", "points"), ", ",
                   counted(t.iconSets.size(), "icon set", "icon sets")});
}
inline std::string wrote(std::string_view path, std::string_view what) {
    return concat({"wrote ", path == kStdout ? "to stdout" : path, ": ", what});
}

// `products`: the note when the scans found nothing.
inline constexpr std::string_view kNoProducts = "no installed map products found";

// `gen` refusals, after "gen KIND: ".
inline std::string genPrefix(std::string_view kind) {
    return concat({"gen ", kind, ": "});
}
inline std::string numberLimits(std::string_view start, std::string_view count,
                                std::string_view last) {
    return concat({"start ", start, ", count ", count, ", the last element at most ", last});
}
inline constexpr std::string_view kExtraPoisOptions =
    "--start-hex, --start-dec and --count-hex apply to extra-pois only";
inline constexpr std::string_view kIgnoreSubtypesOnly =
    "--ignore-subtypes applies to lines and polygons only";
inline constexpr std::string_view kLineWidthOnly = "--line-width applies to lines and routes only";
inline std::string notANumber(std::string_view option, std::string_view text, bool hexadecimal) {
    return concat(
        {option, " \"", text, "\" is not a ", hexadecimal ? "hexadecimal" : "decimal", " number"});
}
inline constexpr std::string_view kSourceDateEpoch =
    "SOURCE_DATE_EPOCH must be a whole number of seconds";

// `decompile`: a file that is no TYP, and the notes on what the reader met and the text cannot
// say, after "IN: ".
inline constexpr std::string_view kNotTypFile = "not a TYP file";
inline constexpr std::string_view kTypTooLarge = "larger than any TYP file (64 MiB)";
inline constexpr std::string_view kReadFailed = "cannot be read";
inline std::string_view typPartName(typ::TypPart part) {
    switch (part) {
    case typ::TypPart::Header:
        return "header";
    case typ::TypPart::Polygons:
        return "polygon";
    case typ::TypPart::Lines:
        return "line";
    case typ::TypPart::Points:
        return "point";
    case typ::TypPart::IconSets:
        return "icon set";
    case typ::TypPart::IconLabels:
        return "icon set label";
    case typ::TypPart::ActiveRoutes:
        return "active route";
    case typ::TypPart::DrawOrder:
        return "draw order";
    }
    return "";
}
// What a note without an element is about.
inline std::string_view typListName(typ::TypPart part) {
    switch (part) {
    case typ::TypPart::Polygons:
        return "polygons";
    case typ::TypPart::Lines:
        return "lines";
    case typ::TypPart::Points:
        return "points";
    case typ::TypPart::IconSets:
        return "icon sets";
    default:
        return typPartName(part);
    }
}
// "polygon 0x2F06" (0x10F04 for an extended type); "polygons" without a code.
inline std::string typElementName(typ::TypPart part, const std::optional<typ::ElementCode>& code) {
    if (!code) return std::string(typListName(part));
    return concat(
        {typPartName(part), " 0x", padTo(4, hex(std::uint32_t{code->type} << 8 | code->subtype))});
}
inline std::string_view readProblemText(typ::ReadProblem p) {
    using typ::ReadProblem;
    switch (p) {
    case ReadProblem::SectionOutsideFile:
        return "the section reaches past the end of the file; read up to the end";
    case ReadProblem::IndexRecordSize:
        return "index records too short for a code and an offset; the index not read";
    case ReadProblem::EntryOutsideSection:
        return "the index points past the end of its section; left out";
    case ReadProblem::RecordDamaged:
        return "the record runs past its end; left out";
    case ReadProblem::UnknownColourMode:
        return "an image in an unknown colour mode; left out";
    case ReadProblem::LabelDamaged:
        return "a label without its end; left out";
    case ReadProblem::LabelBytesInexact:
        return "labels hold bytes the code page does not define; read as Latin-1";
    case ReadProblem::DrawOrderRecordSize:
        return "records shorter than 5 bytes; not read";
    case ReadProblem::RepeatedRecords:
        return "the index names a record read before, too often; left out";
    case ReadProblem::MoreNotes:
        return "more damage from here on, not named one by one";
    }
    return "";
}
// "IN: offset 0x1A2B: polygon 0x2F06: the record runs past its end; left out".
inline std::string readNoteText(std::string_view in, const typ::ReadNote& n) {
    return concat({in, ": offset 0x", hex(n.offset), ": ", typElementName(n.part, n.code), ": ",
                   readProblemText(n.problem)});
}
inline std::string_view textLossText(typ::TextLoss loss) {
    using typ::TextLoss;
    switch (loss) {
    case TextLoss::ActiveRoutes:
        return "left out: a TYP text has no section for active routes";
    case TextLoss::UnsortedElements:
        return "not in code order; compiled, they come out sorted";
    case TextLoss::DrawOrderShape:
        return "empty levels or entries out of order; compiled, they come out ordered";
    case TextLoss::HiddenBackground:
        return "a background colour that nothing shows; left out";
    case TextLoss::PatternShape:
        return "a pattern of an unusual size; cut or filled to fit";
    case TextLoss::ImageShape:
        return "an image of no pixels, pixels that do not fill it, or a night image of another "
               "size";
    case TextLoss::PixelOutsidePalette:
        return "pixels that name no colour; written in the first colour";
    case TextLoss::ColourMode:
        return "compiled, an image comes out in another colour mode";
    case TextLoss::FontStyle:
        return "a font style without a name (5 to 7); left out";
    case TextLoss::NightLabelColour:
        return "a night label colour without a font style or a day colour; left out";
    case TextLoss::LabelText:
        return "a label with a line break or trailing blanks; compiled, it comes out without";
    }
    return "";
}
// "IN: polygon 0x2F06: a background colour that nothing shows; left out", "IN: 3 active routes
// left out: ...".
inline std::string textLossNoteText(std::string_view in, const typ::TextLossNote& n) {
    if (n.loss == typ::TextLoss::ActiveRoutes)
        return concat({in, ": ", counted(n.count, "active route", "active routes"), " ",
                       textLossText(n.loss)});
    return concat({in, ": ", typElementName(n.part, n.code), ": ", textLossText(n.loss)});
}
// `typ`: the text written would not compile.
inline std::string tooLargeToCompile(std::string_view bytes) {
    return concat({"this text would compile into ", bytes,
                   " bytes, more than a TYP file holds (16 MB): write fewer kinds into it"});
}

// `compile`: a place in the text ("FILE:LINE: "), and the file's contents.
inline std::string textPlace(std::string_view file, std::uint32_t line) {
    return line ? concat({file, ":", std::to_string(line), ": "}) : concat({file, ": "});
}
inline constexpr std::string_view kWarningWord = "warning: ";
inline std::string cannotRead(std::string_view path, std::string_view why) {
    return concat({"cannot read ", path, ": ", why});
}
inline constexpr std::string_view kNoSuchFile = "no such file, or not a regular file";
inline constexpr std::string_view kNotWritten = "nothing written";

// `render`: the help, and the notes on what was drawn.
inline constexpr std::string_view kRenderAbout =
    "Draw a picture of a map at one level with the styles of a TYP, as a device draws it: "
    "polygons in the draw order, then lines, then points.";
inline constexpr std::string_view kRenderMapOption =
    "the Garmin map: a tile .img or a gmapsupp.img";
inline constexpr std::string_view kRenderTypOption =
    "the TYP whose styles to draw with: a TYP text, a binary TYP, or a map holding one; default: "
    "the map's own TYP, else the plain styles";
inline constexpr std::string_view kLevelOption = "the map level, 0 (the finest, the default) to 15";
inline constexpr std::string_view kSizeOption =
    "the picture's width and height in pixels, 1 to 8192 each; default 1000x1000";
inline constexpr std::string_view kWholeMapOption =
    "fit every tile of the map into the picture; default: the first tile";
inline constexpr std::string_view kNightOption =
    "draw with the night colours and icons, where the TYP gives them; default: the day's";
inline constexpr std::string_view kRenderOutputOption =
    "the PNG file to write, '-' for stdout; an existing file is replaced, a Garmin map or binary "
    "TYP only with --force";
inline constexpr std::string_view kRenderFooter =
    "Types the TYP does not style are drawn plain: light grey areas, thin grey lines, small dark "
    "squares; polygons its draw order leaves out are not drawn. Exit status: 0 written, 1 the map "
    "or the TYP not read or the file not written, 2 usage error, 3 written, but objects that "
    "could not be decoded are left out.";
inline std::string drawingProgramMissing(std::string_view program, std::string_view why) {
    return concat({"cannot start the drawing program ", program, ": ", why});
}
inline constexpr std::string_view kSizeForm = "must be WIDTHxHEIGHT, each 1 to 8192";
inline constexpr std::string_view kNoMapTiles = "holds no map tile that can be drawn";
inline constexpr std::string_view kCannotDraw = "the picture cannot be made (too little memory)";
inline std::string plainStyles(std::string_view map) {
    return concat({map, ": no TYP file inside, every type drawn plain"});
}
inline std::string shapesLeftOut(std::string_view map, std::uint64_t n) {
    return concat({map, ": ", counted(n, "object", "objects"),
                   " left out: their coordinates cannot be read"});
}
inline std::string pictureText(int width, int height, std::uint64_t shapes) {
    return concat({std::to_string(width), "x", std::to_string(height), " PNG of ",
                   counted(shapes, "object", "objects")});
}

// `check-update`.
inline std::string couldNotCheck(std::string_view reason) {
    return concat({"could not check: ", reason});
}
inline std::string updateAvailable(std::string_view version) {
    return concat({"update available: ", version});
}
inline constexpr std::string_view kUpToDate = "up to date";

} // namespace kestrel
