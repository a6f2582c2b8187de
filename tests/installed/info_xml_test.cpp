#include "installed/info_xml.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "installed/install_fixture.h"

namespace kestrel::installed {
namespace {

// Name, family and product ids, directory, TDB, base map and index file, as read.
std::vector<std::string> fieldsOf(const MapPackageInfo& i) {
    return {i.name, i.familyIdText, i.productIdText, i.directory, i.tdb, i.basemap, i.mdr};
}

// An mkgmap package, a version-two description with a namespace and an index file, and tags in
// any case and namespace prefix.
TEST(InfoXml, ReadsPackageDescriptions) {
    const auto lakes = readInfoXml(readFile(test::lakesInfoXml()).value());
    EXPECT_EQ(fieldsOf(lakes),
              (std::vector<std::string>{"Kestrel Lakes", "888", "1", "Product1",
                                        "kestrel_lakes.tdb", "kestrel_lakes", ""}));
    EXPECT_EQ(lakes.familyId(), 888);
    const auto topo = readInfoXml(readFile(test::fixtureDir() + "/installed/topo_v2.xml").value());
    EXPECT_EQ(fieldsOf(topo), (std::vector<std::string>{"Topo & Trails", "3001", "2", "Product1",
                                                        "topo.tdb", "topo", "topo_mdr"}));
    EXPECT_EQ(fieldsOf(readInfoXml(
                  "<mp:mapproduct xmlns:mp='x'><mp:id> 12 </mp:id><SUBPRODUCT><Id>7</Id>"
                  "<tdb>a.tdb</tdb><DIRECTORY attr=\"1\">P1</DIRECTORY><mdr/></SUBPRODUCT>")),
              (std::vector<std::string>{"", "12", "7", "P1", "a.tdb", "", ""}));
}

TEST(InfoXml, FamilyIdNeedsAWholeSixteenBitNumber) {
    EXPECT_FALSE(readInfoXml("<ID>65536</ID>").familyId());
    EXPECT_FALSE(readInfoXml("<ID>12a</ID>").familyId());
    EXPECT_FALSE(readInfoXml("<ID></ID>").familyId());
    EXPECT_FALSE(readInfoXml("no xml at all").familyId());
    EXPECT_EQ(readInfoXml("<ID>65535</ID>").familyId(), 65535);
}

TEST(InfoXml, BrokenTextYieldsWhatWasReadBeforeTheBreak) {
    const auto info = readInfoXml("<Name>Half</Name><ID>5</ID><TDB");
    EXPECT_EQ(info.name, "Half");
    EXPECT_EQ(info.familyId(), 5);
    EXPECT_EQ(info.tdb, "");
    EXPECT_EQ(readInfoXml("<Name>&bogus; &#0; &#xZZ; &amp</Name>").name,
              "&bogus; &#0; &#xZZ; &amp");
    EXPECT_EQ(readInfoXml("<").name, "");
    EXPECT_EQ(readInfoXml("<>").name, "");
}

} // namespace
} // namespace kestrel::installed
