#pragma once
// JSON strings for the commands' --json output.
#include <string>
#include <string_view>

namespace kestrel::cli {

// How bytes above 127 are read: program text is 8-bit Latin-1; file names may be UTF-8 already,
// and are read as Latin-1 when they are not well-formed UTF-8. Control characters are escaped
// (\u001b), so that no text from a file reaches a terminal that shows the JSON.
enum class HighBytes { Latin1, Utf8WhenValid };

std::string jsonString(std::string_view s, HighBytes high = HighBytes::Latin1);

} // namespace kestrel::cli
