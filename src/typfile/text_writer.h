#pragma once
// Writes the model as a TYP source text in the dialect mkgmap's TYP compiler reads, in one
// canonical form: [_id], [_drawOrder], then each element in the order of the model's lists.
//
// The text is UTF-8 and opens with a byte-order mark: mkgmap then reads it as UTF-8 whatever the
// code page (without the mark it reads a text in the code page its CodePage line names). Lines
// end in CR LF, as every TYP text kestrel writes.
//
// Where the dialect cannot say what the model holds, the writer writes the nearest text and
// returns a note; compiling the text gives back the model exactly when there is no note.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "typfile/elements.h"
#include "typfile/typ_file.h"
#include "typfile/typ_part.h"

namespace kestrel::typ {

enum class TextLoss : std::uint8_t {
    ActiveRoutes,        // the dialect has no section for active routes: left out (count)
    UnsortedElements,    // a list not in ascending code order: a compiler sorts it
    DrawOrderShape,      // empty levels between others, or a level not in a compiler's order
    HiddenBackground,    // a background colour that no pattern or border shows: left out
    PatternShape,        // a pattern of other rows than its kind holds: cut or filled with 0
    ImageShape,          // an image of no pixels, pixels that do not fill it, a night image of
                         // another size
    PixelOutsidePalette, // pixels naming no colour: written as the first colour
    ColourMode,          // a compiler picks another colour mode from the colours the text gives
    FontStyle,           // a font style without a name (5 to 7): left out
    NightLabelColour,    // a polygon's or line's night label colour without a font style or a
                         // day label colour, which mkgmap does not store: left out
    LabelText,           // a line break (written as a blank) or trailing blanks (a compiler
                         // trims them) in a label
};

struct TextLossNote {
    TextLoss loss = TextLoss::ActiveRoutes;
    TypPart part = TypPart::Header;
    std::optional<ElementCode> code; // the element, when the note is about one
    std::size_t count = 1;           // ActiveRoutes: how many were left out
    bool operator==(const TextLossNote&) const = default;
};

struct TextWrite {
    std::string text;
    std::vector<TextLossNote> notes; // in the order of the text, at most one per element and loss
};

TextWrite writeText(const TypFile& typ);

} // namespace kestrel::typ
