#pragma once
// The hexadecimal field of the colour-slot window: what may be typed into it and when its text
// becomes the current colour.
#include <optional>
#include <string>
#include <string_view>

#include "colour/colour_value.h"

namespace kestrel {

inline constexpr std::size_t kHexFieldDigits = 6;

// Whether a typed character may enter the field (backspace and hexadecimal digits only).
bool hexFieldAccepts(char c);

// The field's text after an edit: characters that may not be typed are dropped (pasted text
// would otherwise bring them in) and a text that grew beyond six characters is cut to the first
// six.
std::string hexFieldText(std::string_view edited);

// The colour the field stands for once it holds exactly six digits.
std::optional<ColourValue> hexFieldColour(std::string_view text);

} // namespace kestrel
