#pragma once
// One entry of the type inventory as a record: its code in the form the reader wrote it, where it
// was found, the labels `match` gave it and the draw-order markers. The text that the lists, the
// command line and the TYP blocks show is made from it by the functions below, and only there.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kestrel {

// How many hexadecimal digits follow "0x".
enum class CodeDigits : std::uint8_t {
    Bare = 2,     // "0x0A": a bare type (the "Highways+" defaults)
    Standard = 4, // "0x1300": type and subtype
    Extended = 5, // "0x10D01": "1", type, subtype
};

// What the reader wrote after the digits.
enum class CodeTail : std::uint8_t {
    None,  // "0x1300"
    Blank, // "0x0600 ", "0x10601 " (and the extended overview's " X:n" after the blank)
    Star,  // "0x10601 *": found by the RGN extended walk
};

struct TypeCode {
    constexpr explicit TypeCode(std::uint32_t v = 0, CodeDigits d = CodeDigits::Standard,
                                CodeTail t = CodeTail::None)
        : value(v), digits(d), tail(t) {}

    std::uint32_t value; // 0x0A, 0x1300, 0x10D01
    CodeDigits digits;
    CodeTail tail;
    // The extended overview's subtype byte was above 31: the text shows " X:" + byte mod 32.
    std::optional<std::uint8_t> flagged;

    // "0A", "1300", "10D01" (upper case).
    std::string hexDigits() const;
    // "0x" + the digits.
    std::string text() const;
    // The type a compiler files the code under: a value below 0x100 is the type byte with subtype
    // 0, so "0x06" and "0x0600" are one type.
    std::uint32_t type() const { return value < 0x100 ? value << 8 : value; }
    bool operator==(const TypeCode&) const = default;
};

// Where an entry was found.
enum class Origin : std::uint8_t {
    PolygonOverview,  // TRE polygon overview
    LineOverview,     // TRE line overview
    HighwaysDefault,  // the "Highways+" line defaults
    ExtendedOverview, // TRE extended-type overview
    RgnExtendedWalk,  // RGN extended polygon and line sections
    Bombout,          // the record where an RGN extended walk gave up
    RgnPointWalk,     // RGN extended point section
    Background,       // added for the TYP text: the background polygons
    CompleteScan,     // every object decoded
};

// What the reader noted about a polygon for the draw order (a `levellist` line): the map level,
// and the code as listed then (the draw-order step may rename the entry to the map container).
struct LevelNote {
    TypeCode listed;
    std::uint32_t level = 0;
};

// How many objects of the type a complete scan met, and at which map levels.
struct ObjectCount {
    std::uint64_t count = 0;
    std::uint16_t levels = 0; // bit n: map level n
};

struct InventoryEntry {
    InventoryEntry(const TypeCode& c, Origin o, std::optional<LevelNote> note = std::nullopt)
        : code(c), origin(o), levelNote(note) {}

    TypeCode code;
    Origin origin;
    // Appended by `match`: empty, or starting with a blank or a tab (a label line's text from
    // its first blank or tab on), so it never runs into the code, the tail or a marker.
    std::string label;
    std::vector<std::int64_t> drawLevels; // " (dN)" markers, first to last
    std::optional<LevelNote> levelNote;   // polygons found by the reader
    std::optional<ObjectCount> objects;   // the complete scan's count

    // The text is the code alone, without a blank.
    bool codeOnly() const {
        return code.tail == CodeTail::None && label.empty() && drawLevels.empty();
    }
};

// The entry as the lists show it: code, tail, labels, markers ("0x10D01  map container (d0)").
std::string entryText(const InventoryEntry& e);
// The text after the code, tabs as blanks, trimmed: how a TYP block names the type. Empty when
// the entry is the bare code.
std::string entryDescription(const InventoryEntry& e);
// The texts of a list's entries, in order.
std::vector<std::string> entryTexts(const std::vector<InventoryEntry>& list);
// The `levellist`: a line for each polygon the reader found, in list order ("0x1300 #2",
// "0x10601 * #1", "0x10F01 b #2").
std::vector<std::string> levelLines(const std::vector<InventoryEntry>& polygons);

} // namespace kestrel
