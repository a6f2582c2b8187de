// What the head of a file says it holds, from headers written byte by byte here.
#include "mapread/garmin_content.h"

#include <gtest/gtest.h>

#include <string>

namespace kestrel {
namespace {

// `text` at `at` in `size` bytes of `fill`, every byte then masked with `key`.
std::string head(std::size_t size, std::size_t at, std::string_view text, std::uint8_t key = 0,
                 char fill = '\0') {
    std::string bytes(size, fill);
    bytes.replace(at, text.size(), text);
    for (char& c : bytes) c = static_cast<char>(c ^ key);
    return bytes;
}

GarminContent of(const std::string& bytes) {
    return garminContent({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
}

TEST(GarminContent, MapsAndTypsAreToldFromOtherBytes) {
    using G = GarminContent;
    const std::string_view dskimg("DSKIMG\0", 7);
    const std::pair<std::string, GarminContent> cases[] = {
        {head(0x200, 0x10, dskimg), G::Map},                          // an IMG container
        {head(0x200, 0x10, dskimg, 0x5A), G::Map},                    // masked with its first byte
        {head(0x200, 0x11, dskimg), G::None},                         // one byte off
        {head(0x200, 2, "GARMIN GMP"), G::Map},                       // an NT map's GMP on its own
        {head(0x200, 2, "GARMIN TYP"), G::Typ},                       // a binary TYP
        {head(0x200, 3, "GARMIN TYP"), G::None},                      // one byte off
        {head(9000, 8000, "GARMIN TRE"), G::Map},                     // a subfile deep inside
        {head(9000, 8000, "GARMIN RGN", 0x77), G::Map},               // masked
        {head(9000, 8000, "GARMIN LBL"), G::None},                    // no map data in it
        {head(9000, 0, "[_id]\r\nGARMIN TYP text", 0, ' '), G::None}, // a TYP source text
        {std::string(), G::None},
    };
    for (const auto& [bytes, held] : cases) EXPECT_EQ(of(bytes), held) << bytes.substr(0, 20);
}

} // namespace
} // namespace kestrel
