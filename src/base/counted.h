#pragma once
// A number with the word for it, for the lines that say what was written.
#include <cstddef>
#include <string>
#include <string_view>

namespace kestrel {

// "1 polygon", "3 polygons".
inline std::string counted(std::size_t n, std::string_view one, std::string_view many) {
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

} // namespace kestrel
