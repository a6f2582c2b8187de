#include "colour/hex_field.h"

#include "base/text.h"
#include "colour/colour_text.h"

namespace kestrel {

namespace {

constexpr char kBackspace = 8;

} // namespace

bool hexFieldAccepts(char c) {
    return c == kBackspace || isHexDigit(c);
}

std::string hexFieldText(std::string_view edited) {
    std::string out;
    for (char c : edited)
        if (isHexDigit(c)) out += c;
    if (out.size() > kHexFieldDigits) out.resize(kHexFieldDigits);
    return out;
}

std::optional<ColourValue> hexFieldColour(std::string_view text) {
    if (text.size() != kHexFieldDigits) return std::nullopt;
    for (char c : text)
        if (!isHexDigit(c)) return std::nullopt;
    return colourFromText(text);
}

} // namespace kestrel
