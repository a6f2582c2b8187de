#include "typbin/typ_header.h"

namespace kestrel {

void writeCommonHeader(ByteImage& image, std::uint16_t headerLength, const TypHeaderInfo& info) {
    using namespace typhdr;
    image.head(kHeaderLength, static_cast<std::uint8_t>(headerLength & 0xFF));
    image.head(kHeaderLength + 1, static_cast<std::uint8_t>(headerLength >> 8));
    for (std::size_t k = 0; k < kMarkerText.size(); ++k)
        image.head(kMarker + k, static_cast<std::uint8_t>(kMarkerText[k]));
    image.head(kConstant, 1);

    const TypDateTime& t = info.when;
    const int yy = (t.year % 100 + 100) % 100;
    image.head(kYear, static_cast<std::uint8_t>(yy + 100));
    image.head(kDay, static_cast<std::uint8_t>(t.day));
    image.head(kMonth, static_cast<std::uint8_t>(t.month));
    image.head(kHour, static_cast<std::uint8_t>(t.hour));
    image.head(kMinute, static_cast<std::uint8_t>(t.minute));
    image.head(kSecond, static_cast<std::uint8_t>(t.second));

    image.head(kCodepage, static_cast<std::uint8_t>(info.codepage & 0xFF));
    image.head(kCodepage + 1, static_cast<std::uint8_t>(info.codepage >> 8));
    image.head(kFamilyId, static_cast<std::uint8_t>(kFamilyIdValue & 0xFF));
    image.head(kFamilyId + 1, static_cast<std::uint8_t>(kFamilyIdValue >> 8));
    image.head(kProductId, static_cast<std::uint8_t>(kProductIdValue & 0xFF));
    image.head(kProductId + 1, static_cast<std::uint8_t>(kProductIdValue >> 8));
}

} // namespace kestrel
