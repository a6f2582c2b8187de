#include "colour/colour_text.h"

#include "base/text.h"

namespace kestrel {

std::string rev(ColourValue value) {
    // Only the low 24 bits are a colour; anything above would push the pairs out of place.
    const std::string h = padTo(6, hex(static_cast<std::uint32_t>(value) & 0xFFFFFFu));
    return h.substr(4, 2) + h.substr(2, 2) + h.substr(0, 2);
}

std::string rev(std::string_view colourText) {
    const std::string_view six =
        colourText.size() > 6 ? colourText.substr(colourText.size() - 6) : colourText;
    // Swapping the pairs of RRGGBB and of BBGGRR is the same swap as that of a value's digits.
    return rev(static_cast<ColourValue>(hexValue(six)));
}

std::string reversehex(std::string_view valueHex) {
    return rev(valueHex);
}

ColourValue colourFromText(std::string_view colourText) {
    return static_cast<ColourValue>(hexValue(rev(colourText)));
}

} // namespace kestrel
