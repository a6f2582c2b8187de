#pragma once
// Reads a TYP text into the model, exactly as mkgmap's TYP compiler reads it (see text_charset,
// text_scanner, xpm_reader and element_section for its rules), or refuses it with the line and the
// reason where mkgmap refuses it (or fails). Where mkgmap reads a text silently in a way that loses
// something, the text is read the same way and a warning names the line.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "typfile/text_notes.h"
#include "typfile/typ_file.h"
#include "typfile/typ_part.h"

namespace kestrel::typ {

// A text longer than this could not make a TYP file of 16 MB at most (a pixel takes at most 8
// characters of text for each bit in the file).
inline constexpr std::size_t kMaxTextSize = 256u << 20;

// Where a label stands, to name the line of one that the code page cannot hold.
struct LabelLine {
    TypPart part = TypPart::Points;
    ElementCode code;
    Label label;
    std::uint32_t line = 0;
};

struct TextRead {
    std::optional<TextError> error; // set: the text cannot be compiled
    TypFile typ;
    bool codePageGiven = false;     // [_id] holds a CodePage that is a number
    std::uint32_t codePageLine = 0; // its line
    std::vector<TextNote> notes;    // in the order of the lines
    std::vector<LabelLine> labelLines;
};

TextRead readText(std::string_view bytes);

} // namespace kestrel::typ
