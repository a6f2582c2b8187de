#include "typbin/generator_request.h"

#include "base/text.h"
#include "typbin/messages.h"

namespace kestrel {

std::optional<GeneratorKind> generatorKindFromMenu(int index) {
    if (index < 2 || index > 6) return std::nullopt;
    return static_cast<GeneratorKind>(index);
}

std::string_view kindName(GeneratorKind kind) {
    switch (kind) {
    case GeneratorKind::ExtraPois:
        return kKindExtraPois;
    case GeneratorKind::Pois:
        return kKindPois;
    case GeneratorKind::Lines:
        return kKindLines;
    case GeneratorKind::Polygons:
        return kKindPolygons;
    case GeneratorKind::ActiveRoutes:
        return kKindActiveRoutes;
    }
    return {};
}

std::uint64_t fieldValue(std::string_view text, bool hexadecimal) {
    const std::uint64_t base = hexadecimal ? 16 : 10;
    std::uint64_t v = 0;
    for (const char c : text) {
        if (!(hexadecimal ? isHexDigit(c) : c >= '0' && c <= '9')) break;
        v = v * base + hexValue(std::string_view(&c, 1));
        if (v >= kFieldValueCap) return kFieldValueCap;
    }
    return v;
}

} // namespace kestrel
