#include "typfile/typ_identity.h"

namespace kestrel::typ {
namespace {

std::uint16_t u16(std::string_view b, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(b[at]) |
                                      static_cast<std::uint8_t>(b[at + 1]) << 8);
}

void put16(std::string& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<char>(v & 0xFF);
    b[at + 1] = static_cast<char>(v >> 8);
}

} // namespace

std::optional<TypIdentity> readTypIdentity(std::string_view bytes) {
    if (bytes.size() < kShortestHeader || bytes.substr(kSignature, 10) != "GARMIN TYP" ||
        u16(bytes, kHeaderLength) < kShortestHeader)
        return std::nullopt;
    return TypIdentity{u16(bytes, kFamilyId), u16(bytes, kProduct), u16(bytes, kCodePage)};
}

void writeTypIdentity(std::string& bytes, const TypIdentity& identity) {
    put16(bytes, kFamilyId, identity.familyId);
    put16(bytes, kProduct, identity.product);
    put16(bytes, kCodePage, identity.codePage);
}

} // namespace kestrel::typ
