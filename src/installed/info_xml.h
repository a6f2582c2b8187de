#pragma once
// The description of a map package ("Info.xml" of a ".gmap" folder, or the XML beside an
// installed product). Garmin writes the elements in CamelCase under a v1 or v2 namespace;
// element names are matched without regard to case or namespace prefix.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kestrel::installed {

// Larger description files are not read.
inline constexpr std::uint64_t kInfoXmlLimit = 1 << 20;

struct MapPackageInfo {
    std::string name;          // first <Name>
    std::string familyIdText;  // first <ID>: the family
    std::string productIdText; // second <ID>: the subproduct
    std::string subproduct;    // text of <SubProduct> before its first child
    std::string directory;     // <Directory>: the map folder, relative to the package
    std::string tdb;           // <TDB>: the TDB file name, relative to the map folder
    std::string mdr;           // <Mdr>: the index file
    std::string basemap;       // <BaseMap>

    // The family ID when the first <ID> is a whole number that fits 16 bits.
    std::optional<std::uint16_t> familyId() const;
};

// Reads the elements from the XML text. Missing elements stay empty.
MapPackageInfo readInfoXml(std::string_view xml);
} // namespace kestrel::installed
