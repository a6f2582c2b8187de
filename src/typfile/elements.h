#pragma once
// The elements of a TYP: polygons, lines, points, icon sets, and the active routes of the long
// header form. Plain data with value semantics; what the bytes mean is written beside the binary
// codecs (record_encoder, record_decoder).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "typfile/pictures.h"
#include "typfile/rgb.h"

namespace kestrel::typ {

// A type and its subtype. Types 0x01 to 0xFF are the standard ones; 0x100 to 0x1FF stand for the
// extended codes 0x1TTSS (type 0x1TT). A file keeps type x 32 + subtype in 16 bits, so the type
// may reach 0x7FF and the subtype 0x1F.
struct ElementCode {
    std::uint16_t type = 0;
    std::uint8_t subtype = 0;

    bool extended() const { return type >= 0x100; }
    // The index word of a file: type x 32 + subtype.
    std::uint16_t word() const { return static_cast<std::uint16_t>(type << 5 | (subtype & 0x1F)); }
    // The code as kestrel writes it: 0x2F06 for a standard type, 0x10F04 for an extended one.
    std::uint32_t value() const {
        return extended() ? 0x10000u | (type & 0xFFu) << 8 | subtype
                          : std::uint32_t{type} << 8 | subtype;
    }
    static ElementCode fromWord(std::uint16_t word) {
        return {static_cast<std::uint16_t>(word >> 5), static_cast<std::uint8_t>(word & 0x1F)};
    }
    bool operator==(const ElementCode&) const = default;
};

// A label in one language. The text is UTF-8; the binary codecs convert it from and to the code
// page of the file's header.
struct Label {
    std::uint8_t language = 0; // 0x00 unspecified, 0x01 French, 0x02 German, 0x04 English, ...
    std::string text;

    bool operator==(const Label&) const = default;
};

// The font of the labels (three bits in a file; mkgmap's names for 1 to 4).
enum class FontStyle : std::uint8_t {
    Default = 0,
    NoLabel = 1,
    Small = 2,
    Normal = 3,
    Large = 4,
};

// What every element but the icon sets says about its labels.
struct Labelling {
    std::vector<Label> labels;
    FontStyle font = FontStyle::Default;
    std::optional<Rgb> dayColour;   // the label colour by day; none: the device's
    std::optional<Rgb> nightColour; // the label colour by night

    bool operator==(const Labelling&) const = default;
};

// The colours of a polygon or a line at one time of day. The background is the pattern's
// 0-pixels, or a plain line's border; none: transparent (or no border).
struct ColourPair {
    Rgb foreground;
    std::optional<Rgb> background;

    bool operator==(const ColourPair&) const = default;
};

struct Polygon {
    ElementCode code;
    ColourPair day;
    std::optional<ColourPair> night; // none: as by day
    std::optional<Pattern> pattern;  // none: one solid colour (the foreground)
    Labelling labelling;

    bool operator==(const Polygon&) const = default;
};

struct Line {
    ElementCode code;
    ColourPair day;
    std::optional<ColourPair> night; // none: as by day
    std::optional<Pattern> pattern;  // none: a plain line of the widths below
    // Plain lines only: the width of the line and of the border on each side, in pixels. A line
    // without a background colour (border) keeps no border width.
    std::uint8_t lineWidth = 0;
    std::uint8_t borderWidth = 0;
    bool useOrientation = false; // the device turns the pattern along the line
    Labelling labelling;

    bool operator==(const Line&) const = default;
};

struct Point {
    ElementCode code;
    Image day;
    std::optional<Image> night; // of the day image's size
    Labelling labelling;

    bool operator==(const Point&) const = default;
};

// The icons of one point type (a text's [_icons] section), with at most one label.
struct IconSet {
    ElementCode code;
    std::optional<std::string> label; // UTF-8
    std::vector<Image> icons;

    bool operator==(const IconSet&) const = default;
};

// A line of the active-route index of the long header form: a line record (with its code) and
// the two group bytes of its index entry.
struct ActiveRoute {
    Line line;
    std::uint8_t groupA = 0;
    std::uint8_t groupB = 0;

    bool operator==(const ActiveRoute&) const = default;
};

} // namespace kestrel::typ
