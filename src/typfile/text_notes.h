#pragma once
// What reading a TYP text can say: a refusal (the text cannot be compiled: nothing is written) or
// warnings (it compiles, but as mkgmap compiles it, something the text holds is left out or read
// otherwise than its author may think). Each names its line (1 is the first); the words are made
// in one place, text_messages.
#include <cstdint>
#include <string>

namespace kestrel::typ {

enum class TextProblem : std::uint8_t {
    TextTooLarge,          // larger than any text a TYP file could come from
    UnknownCharset,        // the text names a character set kestrel cannot read: `what`
    UnreadableCodePage,    // the text's CodePage names a code page kestrel does not read: `what`
    BadCharacter,          // a byte that is no character of the text's character set `what`
    MissingSection,        // a key before any section, or after [end]
    ExpectedEquals,        // a key not followed by = or :, but `what`
    Expected,              // `wanted` was expected, `what` was there
    SectionNameMissing,    // a [ at the end of the text
    BadNumber,             // the value `what` of the key `wanted` is no number
    BadXpmHeader,          // an Xpm header that is not four numbers (`what`)
    UnknownIdKey,          // [_id] holds only FID, ProductCode and CodePage: `what`
    UnknownDrawOrderKey,   // [_drawOrder] holds only Type lines: `what`
    BadDrawOrderType,      // not CODE,LEVEL: `what`
    EmptyValue,            // the key `what` needs a value
    LabelWithoutText,      // a String value that is a number alone: `what`
    BadColour,             // not a colour: `what`
    MissingPicture,        // an element without Xpm
    MissingDayPicture,     // a point with a night picture but no day picture
    EmptyPicture,          // a point or icon picture of no pixels
    PictureTooLarge,       // a point or icon wider or higher than 255 pixels
    TooManyPictureColours, // a point or icon of more than 255 colours
    NightPictureSize,      // a point's night picture not of the day picture's size
    TooManyColours,        // a line or polygon of more than 4 colours
    NoColours,             // a line or polygon of no colour
    OnlyColourTransparent, // a line's or polygon's only colour (of a pair) is transparent
    DayBothTransparent,    // both day colours transparent
    NightBothTransparent,  // both night colours transparent
    PolygonColourCount,    // a polygon of 3 colours
    PolygonPatternSize,    // a polygon pattern not 32 x 32
    LinePatternWidth,      // a line pattern not 32 wide
    LinePatternRows,       // a line pattern of more than 31 rows
    BlankPictureLine,      // an empty line among the pixel rows
    PictureLineUnquoted,   // a pixel row not in quotes: `what`
    ShortPictureLine,      // a pixel row shorter than the picture: `what`
    UnknownPixel,          // a pixel tag that no colour line defines: `what`
    TooManyPixels,         // a true-colour picture with more pixels than its size
    TooManyIcons,          // an icon set of more than 255 icons
    LabelsTooLong,         // an element's labels take more bytes than mkgmap holds (`what`)
    FileTooLarge,          // the TYP file would take `what` bytes, more than a TYP file holds
};

struct TextError {
    std::uint32_t line = 0;
    TextProblem problem = TextProblem::MissingSection;
    std::string what;
    std::string wanted;
    bool operator==(const TextError&) const = default;
};

enum class TextWarning : std::uint8_t {
    UnknownSection,        // a section mkgmap does not know: its lines are left out
    UnknownKey,            // a key mkgmap does not know (said once per key): `what`
    NoEnd,                 // the text ends inside an element without [end]: mkgmap leaves it out
    FontStyleUnknown,      // a FontStyle mkgmap does not know: the default font is written
    IdNotANumber,          // an [_id] value that is no number: left out (`what` the key)
    IdOctal,               // an [_id] value with a leading 0, read as an octal number
    IdOutOfRange,          // an [_id] value beyond 16 bits, cut to them
    CodePageUnknown,       // a code page kestrel has no table for: labels written byte for byte
    TextNotInCodePage,     // the text is UTF-8 but is read in its code page, as mkgmap reads it
    TypeTooLarge,          // a type beyond 0x7FF: mkgmap keeps its low bits
    SubtypeTooLarge,       // a subtype above 0x1F: mkgmap keeps its low 5 bits
    TypeWithSubtype,       // Type=0x1TT read as type 0x01, subtype 0xTT, as mkgmap reads it
    LanguageTooLarge,      // a label language beyond 0xFF: its low byte is written
    LabelDropped,          // a label the code page cannot hold: left out
    IconLabelsIgnored,     // an icon set keeps one label only
    NightFontColourLost,   // a line's or polygon's night label colour without a day one or a font
    BorderWithoutColour,   // a line border width without a border colour: not stored
    WidthTooLarge,         // a line or border width beyond 255, or their sum: cut to 8 bits
    TwoTransparentColours, // several transparent colours in one picture: kept as one
    SolidNightTransparent, // "0 0 2 0" with a transparent second colour: day colour at night
    LineColourUnused,      // a line's third colour: left out (mkgmap writes a damaged record)
    DrawOrderSubtype,      // a draw-order subtype above 0x1F: mkgmap keeps its low 5 bits
    CodePageAssumed,       // the text names no code page: the labels are written in 1252
};

struct TextNote {
    std::uint32_t line = 0;
    TextWarning warning = TextWarning::UnknownKey;
    std::string what;
    std::string meant; // TypeWithSubtype: the extended code a TYP editor means
    bool operator==(const TextNote&) const = default;
};

} // namespace kestrel::typ
