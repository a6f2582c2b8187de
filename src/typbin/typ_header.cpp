#include "typbin/typ_header.h"

namespace kestrel {

void writeCommonHeader(ByteImage& image, std::uint16_t headerLength, const TypHeaderInfo& info) {
    using namespace typhdr;
    head(image, kHeaderLength, static_cast<std::uint8_t>(headerLength & 0xFF));
    head(image, kHeaderLength + 1, static_cast<std::uint8_t>(headerLength >> 8));
    for (std::size_t k = 0; k < kMarkerText.size(); ++k)
        head(image, kMarker + k, static_cast<std::uint8_t>(kMarkerText[k]));
    head(image, kConstant, 1);

    const typ::DateTime& t = info.when;
    const int yy = (t.year % 100 + 100) % 100;
    head(image, kYear, static_cast<std::uint8_t>(yy + 100));
    head(image, kDay, static_cast<std::uint8_t>(t.day));
    head(image, kMonth, static_cast<std::uint8_t>(t.month));
    head(image, kHour, static_cast<std::uint8_t>(t.hour));
    head(image, kMinute, static_cast<std::uint8_t>(t.minute));
    head(image, kSecond, static_cast<std::uint8_t>(t.second));

    head(image, kCodepage, static_cast<std::uint8_t>(info.codepage & 0xFF));
    head(image, kCodepage + 1, static_cast<std::uint8_t>(info.codepage >> 8));
    head(image, kFamilyId, static_cast<std::uint8_t>(kFamilyIdValue & 0xFF));
    head(image, kFamilyId + 1, static_cast<std::uint8_t>(kFamilyIdValue >> 8));
    head(image, kProductId, static_cast<std::uint8_t>(kProductIdValue & 0xFF));
    head(image, kProductId + 1, static_cast<std::uint8_t>(kProductIdValue >> 8));
}

} // namespace kestrel
