#include "typtext/element_entry.h"

#include "base/text.h"

namespace kestrel {

namespace {

// A four-digit code whose subtype, modulo 16, is above 0.
bool hasSubtype(const TypeCode& code) {
    return code.digits == CodeDigits::Standard && (code.value & 0xFF) % 16 > 0;
}

TypeCode folded(const TypeCode& code) {
    return TypeCode(code.value & 0xFF00, CodeDigits::Standard);
}

} // namespace

SubtypeSet::SubtypeSet(const std::vector<InventoryEntry>& list) {
    for (const auto& e : list)
        if (!e.codeOnly() && hasSubtype(e.code)) values_.insert(folded(e.code).value);
}

bool SubtypeSet::has(const TypeCode& code) const {
    return code.digits == CodeDigits::Standard && values_.contains(code.value);
}

std::optional<BlockEntry> blockEntry(const InventoryEntry& e, const SubtypeSet* subtypes) {
    BlockEntry b{e.code, e.code, entryDescription(e), !e.codeOnly()};
    if (b.hasBlank && subtypes != nullptr) {
        if (subtypes->has(e.code)) return std::nullopt;
        if (hasSubtype(e.code)) b.code = folded(e.code);
    }
    return b;
}

std::uint32_t bareType(const TypeCode& code) {
    return code.digits == CodeDigits::Standard ? code.value >> 8 : code.value;
}

std::string bareTypeKey(const TypeCode& code) {
    const std::size_t width = code.digits == CodeDigits::Extended ? 5 : 2;
    return "0x" + lcase(padTo(width, hex(bareType(code))));
}

} // namespace kestrel
