#include "typfile/text_messages.h"

#include "base/text.h"

namespace kestrel::typ {

namespace {

std::string quoted(const std::string& s) {
    return concat({"\"", s, "\""});
}

// A token met where another was expected.
std::string found(const std::string& s) {
    if (s.empty()) return "the end of the text";
    if (s == "\n" || s == "\r") return "the line end";
    return quoted(s);
}

} // namespace

std::string problemText(const TextError& e) {
    const std::string& what = e.what;
    switch (e.problem) {
    case TextProblem::TextTooLarge:
        return concat({"the text is too large (", what, " bytes) to make a TYP file"});
    case TextProblem::UnknownCharset:
        return concat({"unknown character set ", quoted(what)});
    case TextProblem::UnreadableCodePage:
        return concat({"CodePage=", what,
                       ": kestrel reads texts in code pages 1250 to 1258 and 65001 (UTF-8) only"});
    case TextProblem::BadCharacter:
        return concat(
            {"a byte that is no character of ", what, " (the character set the text is read in)"});
    case TextProblem::MissingSection:
        return "a key outside any section (a section line such as [_point] must come first)";
    case TextProblem::ExpectedEquals:
        return concat({"= or : expected after the key, not ", quoted(what)});
    case TextProblem::Expected:
        return concat({"'", e.wanted, "' expected, not ", found(what)});
    case TextProblem::SectionNameMissing:
        return "a section line without its name at the end of the text";
    case TextProblem::BadNumber:
        return concat({e.wanted, ": ", quoted(what), " is not a number"});
    case TextProblem::BadXpmHeader:
        return concat({"an Xpm header is \"WIDTH HEIGHT COLOURS CHARS\", not ", what});
    case TextProblem::UnknownIdKey:
        return concat({"[_id] holds FID, ProductCode and CodePage only, not ", what});
    case TextProblem::UnknownDrawOrderKey:
        return concat({"[_drawOrder] holds Type lines only, not ", what});
    case TextProblem::BadDrawOrderType:
        return concat({"a draw-order line is Type=CODE,LEVEL, not ", quoted(what)});
    case TextProblem::EmptyValue:
        return concat({what, " needs a value"});
    case TextProblem::LabelWithoutText:
        return concat({"a label is LANGUAGE,TEXT: ", quoted(what), " has no text"});
    case TextProblem::BadColour:
        return concat({quoted(what), " is not a colour (#RRGGBB)"});
    case TextProblem::MissingPicture:
        return "the element before this line has no Xpm";
    case TextProblem::MissingDayPicture:
        return "the point before this line has a NightXpm but no DayXpm";
    case TextProblem::EmptyPicture:
        return "a point or icon picture needs a width and a height above 0";
    case TextProblem::PictureTooLarge:
        return "a point or icon picture is at most 255 x 255 pixels";
    case TextProblem::TooManyPictureColours:
        return "a point or icon picture has at most 255 colours";
    case TextProblem::NightPictureSize:
        return "the night picture is not the size of the day picture";
    case TextProblem::TooManyColours:
        return "a line or polygon has at most 4 colours";
    case TextProblem::NoColours:
        return "a line or polygon needs a colour";
    case TextProblem::OnlyColourTransparent:
        return "the only colour of a line or polygon (or of its night pair) is transparent";
    case TextProblem::DayBothTransparent:
        return "both day colours are transparent";
    case TextProblem::NightBothTransparent:
        return "both night colours are transparent";
    case TextProblem::PolygonColourCount:
        return "a polygon has 1, 2 or 4 colours";
    case TextProblem::PolygonPatternSize:
        return "a polygon pattern is 32 x 32 pixels";
    case TextProblem::LinePatternWidth:
        return "a line pattern is 32 pixels wide";
    case TextProblem::LinePatternRows:
        return "a line pattern has at most 31 rows";
    case TextProblem::BlankPictureLine:
        return "an empty line among the pixel rows";
    case TextProblem::PictureLineUnquoted:
        return concat({"a pixel row must start with a quote: ", what});
    case TextProblem::ShortPictureLine:
        return concat({"a pixel row shorter than the picture: ", what});
    case TextProblem::UnknownPixel:
        return concat({"the pixel ", quoted(what), " is none of the picture's colours"});
    case TextProblem::TooManyPixels:
        return "more pixels than the picture's size";
    case TextProblem::TooManyIcons:
        return "an icon set has at most 255 icons";
    case TextProblem::LabelsTooLong:
        return concat({"the labels of this element take ", what,
                       " bytes, more than mkgmap holds (256 for each label)"});
    case TextProblem::FileTooLarge:
        return concat({"the TYP file would take ", what,
                       " bytes; a TYP file holds at most 16 MB (16777215 bytes)"});
    }
    return {};
}

std::string warningText(const TextNote& n) {
    const std::string& what = n.what;
    switch (n.warning) {
    case TextWarning::UnknownSection:
        return concat({"unknown section [", what, "]: its lines are left out"});
    case TextWarning::UnknownKey:
        return concat({"unknown key ", what, ": left out"});
    case TextWarning::NoEnd:
        return "the text ends in this element without [end]: it is left out, as mkgmap leaves "
               "it out";
    case TextWarning::FontStyleUnknown:
        return concat({"FontStyle ", quoted(what),
                       " is not NoLabel, SmallFont, NormalFont or LargeFont: the default font "
                       "is written"});
    case TextWarning::IdNotANumber:
        return concat(
            {what, " is not a number: left out (", what, " stays as it was, at first 0)"});
    case TextWarning::IdOctal:
        return concat({what, " starts with 0 and is read as an octal number, as mkgmap reads it"});
    case TextWarning::IdOutOfRange:
        return concat({what, " is beyond 0 to 65535: its low 16 bits are written"});
    case TextWarning::CodePageUnknown:
        return concat({"code page ", what,
                       " has no table here: the labels are written byte for byte as the text "
                       "holds them"});
    case TextWarning::TextNotInCodePage:
        return concat({"the text is UTF-8, but this line makes mkgmap read it in ", what,
                       ", and so it is read"});
    case TextWarning::TypeTooLarge:
        return concat({"type 0x", what, " is beyond 0x7FF: its low bits are written"});
    case TextWarning::SubtypeTooLarge:
        return concat({"subtype 0x", what, " is beyond 0x1F: its low 5 bits are written"});
    case TextWarning::TypeWithSubtype:
        return concat({"Type=0x", what, " is type 0x01 with subtype 0x", what.substr(1),
                       " to mkgmap (a SubType line replaces the subtype); for the extended type a "
                       "TYP editor means, write Type=0x",
                       n.meant});
    case TextWarning::LanguageTooLarge:
        return concat({"label language ", what, " is beyond 0 to 255: its low byte is written"});
    case TextWarning::LabelDropped:
        return concat(
            {"the label ", quoted(what), " has characters the code page lacks: it is left out"});
    case TextWarning::IconLabelsIgnored:
        return "an icon set keeps its first label only: this one is left out";
    case TextWarning::NightFontColourLost:
        return "a line's or polygon's night label colour is stored only with a FontStyle or a "
               "day label colour: left out";
    case TextWarning::BorderWithoutColour:
        return "the line has no border colour: its border width is left out";
    case TextWarning::WidthTooLarge:
        return "line width plus twice the border width is beyond 255: their low 8 bits are "
               "written";
    case TextWarning::TwoTransparentColours:
        return "several transparent colours: they are written as one (mkgmap writes a damaged "
               "record)";
    case TextWarning::SolidNightTransparent:
        return "the night colour is transparent: the day colour is used at night (mkgmap writes "
               "a damaged record)";
    case TextWarning::LineColourUnused:
        return "a line has 1, 2 or 4 colours: the third is left out (mkgmap writes a damaged "
               "record)";
    case TextWarning::DrawOrderSubtype:
        return concat({"subtype of 0x", what, " is beyond 0x1F: its low 5 bits are written"});
    case TextWarning::CodePageAssumed:
        return concat({"the text names no CodePage: the labels are written in code page ", what});
    }
    return {};
}

} // namespace kestrel::typ
