#include "typfile/typ_header.h"

namespace kestrel::typ::hdr {

namespace {

bool isTyp(std::span<const std::uint8_t> file) {
    if (file.size() < kShortLength) return false;
    for (std::size_t k = 0; k < kSignatureText.size(); ++k)
        if (file[kSignature + k] != static_cast<std::uint8_t>(kSignatureText[k])) return false;
    return true;
}

void put2(std::span<std::uint8_t> file, std::size_t at, std::uint16_t v) {
    file[at] = static_cast<std::uint8_t>(v & 0xFF);
    file[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

} // namespace

DateTime readDate(const ByteReader& file) {
    DateTime t;
    const std::uint32_t year = file.u16(kYear);
    t.year = static_cast<int>(year < 0x100 ? year + 1900 : year);
    t.month = static_cast<int>(file.u8(kMonth));
    t.day = static_cast<int>(file.u8(kDay));
    t.hour = static_cast<int>(file.u8(kHour));
    t.minute = static_cast<int>(file.u8(kHour + 1));
    t.second = static_cast<int>(file.u8(kHour + 2));
    return t;
}

void putDate(ByteImage& out, const DateTime& when) {
    out.put2u(kYear, static_cast<std::uint16_t>(when.year));
    out.put1u(kMonth, static_cast<std::uint8_t>(when.month));
    out.put1u(kDay, static_cast<std::uint8_t>(when.day));
    out.put1u(kHour, static_cast<std::uint8_t>(when.hour));
    out.put1u(kHour + 1, static_cast<std::uint8_t>(when.minute));
    out.put1u(kHour + 2, static_cast<std::uint8_t>(when.second));
}

std::optional<Identity> readIdentity(std::span<const std::uint8_t> file) {
    if (!isTyp(file)) return std::nullopt;
    const ByteReader f(file);
    return Identity{static_cast<std::uint16_t>(f.u16(kFamilyId)),
                    static_cast<std::uint16_t>(f.u16(kProductId)),
                    static_cast<std::uint16_t>(f.u16(kCodePage))};
}

bool setIdentity(std::span<std::uint8_t> file, const Identity& identity) {
    if (!isTyp(file)) return false;
    put2(file, kFamilyId, identity.familyId);
    put2(file, kProductId, identity.productId);
    put2(file, kCodePage, identity.codePage);
    return true;
}

} // namespace kestrel::typ::hdr
