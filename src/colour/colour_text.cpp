#include "colour/colour_text.h"

#include "app/text.h"

namespace kestrel {

namespace {

// Six digits, pairs in reverse order. Both directions (RGB to BGR and back) are this swap.
std::string swapPairs(std::string_view digits) {
    std::string six = padTo(6, digits);
    six = six.substr(six.size() - 6);
    return six.substr(4, 2) + six.substr(2, 2) + six.substr(0, 2);
}

} // namespace

std::string rev(std::string_view colourText) {
    return swapPairs(colourText);
}

std::string reversehex(std::string_view valueHex) {
    return swapPairs(valueHex);
}

ColourValue colourFromText(std::string_view colourText) {
    return static_cast<ColourValue>(hexValue(rev(colourText)) & 0xFFFFFF);
}

std::string colourText(ColourValue value) {
    return reversehex(hex(static_cast<std::uint32_t>(value) & 0xFFFFFFu));
}

} // namespace kestrel
