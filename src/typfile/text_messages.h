#pragma once
// The words for what reading and compiling a TYP text can say, in one place, so that the command
// line, the desktop program and the tests say the same.
#include <string>

#include "typfile/text_notes.h"

namespace kestrel::typ {

// "Type: 0xZZ is not a number" (without the line).
std::string problemText(const TextError& e);
std::string warningText(const TextNote& n);

} // namespace kestrel::typ
