#pragma once
// The characters of a TYP text file, found as mkgmap finds them: a byte-order mark in the first two
// lines, or an Emacs "-*- coding: NAME" there, or else the first line that starts with
// "CodePage=" (exactly so) names the character set (65001 for UTF-8, 1250 to 1258 for those
// Windows code pages); without any of them the text is UTF-8 when every line is, else code page
// 1252. A file in UTF-8 whose CodePage line names 1252 is thus read as 1252, as mkgmap reads it.
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrel::typ {

struct DecodedText {
    // The text in UTF-8. A byte that is no character of the character set (malformed UTF-8, one of
    // the bytes a Windows code page leaves undefined) is U+FFFD here: mkgmap refuses the text
    // where it meets it, and so does the reader.
    std::string utf8;
    std::string charset;           // as mkgmap names it: "UTF-8", "cp1252", "UTF-16LE", ...
    std::uint32_t charsetLine = 0; // the line that names it; 0 when none does
    // The text names a character set kestrel cannot read: one mkgmap cannot read either, or one
    // of Java's other code pages (DOS, EBCDIC, East Asian).
    bool unknownCharset = false;
    // The text would be UTF-8, but a CodePage line makes it read in a Windows code page.
    bool utf8ReadAsCodePage = false;
};

DecodedText decodeText(std::string_view bytes);

} // namespace kestrel::typ
