#include "typtext/colour_code.h"

#include "base/text.h"

namespace kestrel {

std::string& f_mat(std::string& s) {
    if (s.size() == 1) s.insert(s.begin(), '0');
    return s;
}

std::string fncol(int r, int g, int b) {
    std::string out;
    for (const int c : {r, g, b}) {
        std::string h = hex(static_cast<std::uint64_t>(c & 0xFF));
        out += f_mat(h);
    }
    return out;
}

void addlz(TypeInventory& inventory, const TypeCode& code, int kind) {
    if (kind < kPolygons || kind > kPois) return; // no such list
    const CodeGuard* seen = kind == kPolygons ? &inventory.seenpoly
                            : kind == kLines  ? &inventory.seenline
                                              : nullptr;
    if (seen != nullptr && seen->has(code)) return;
    inventory.list(kind).emplace_back(code, Origin::Background);
}

double randomFraction(std::mt19937& rng) {
    return static_cast<double>(rng()) / 4294967296.0;
}

int randomComponent(std::mt19937& rng) {
    return static_cast<int>(roundHalfEven(255.0 * randomFraction(rng)));
}

std::string randomColour(std::mt19937& rng) {
    const int r = randomComponent(rng);
    const int g = randomComponent(rng);
    const int b = randomComponent(rng);
    return fncol(r, g, b);
}

} // namespace kestrel
