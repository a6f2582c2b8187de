#include "mapread/garmin_content.h"

#include <string_view>

#include "mapread/signature_search.h"

namespace kestrel {
namespace {

constexpr std::size_t kImgSignature = 0x10;  // 0x10-0x16 "DSKIMG\0", masked like the whole file
constexpr std::size_t kSubfileSignature = 2; // 0x02-0x0B "GARMIN xxx", after the header length

bool textAt(std::span<const std::uint8_t> bytes, std::size_t at, std::string_view text,
            std::uint8_t key) {
    if (bytes.size() < at + text.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((bytes[at + i] ^ key) != static_cast<std::uint8_t>(text[i])) return false;
    return true;
}

bool holdsSignature(std::span<const std::uint8_t> head, std::uint8_t key) {
    SignatureSearch search(key);
    search.scan(head, 0, head.size());
    const Signatures& s = search.found();
    return s.rgn >= 0 || s.tre >= 0 || s.gmp >= 0;
}

} // namespace

GarminContent garminContent(std::span<const std::uint8_t> head) {
    if (textAt(head, kSubfileSignature, "GARMIN TYP", 0)) return GarminContent::Typ;
    const std::uint8_t key = head.empty() ? 0 : head[0];
    if (textAt(head, kImgSignature, std::string_view("DSKIMG\0", 7), key) ||
        textAt(head, kSubfileSignature, "GARMIN ", 0) || holdsSignature(head, key) ||
        (key != 0 && holdsSignature(head, 0)))
        return GarminContent::Map;
    return GarminContent::None;
}

} // namespace kestrel
