#pragma once
// Base64 (RFC 4648, with padding), for bytes carried inside texts such as data: URIs.
#include <string>
#include <string_view>

namespace kestrel {

std::string base64(std::string_view bytes);

} // namespace kestrel
