#include "installed/info_xml.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "installed/install_fixture.h"

namespace kestrel::installed {
namespace {

TEST(InfoXml, ReadsMkgmapPackageDescription) {
    const auto info = readInfoXml(readFile(test::lakesInfoXml()).value());
    EXPECT_EQ(info.name, "Kestrel Lakes");
    EXPECT_EQ(info.familyIdText, "888");
    EXPECT_EQ(info.familyId(), 888);
    EXPECT_EQ(info.productIdText, "1");
    EXPECT_EQ(info.tdb, "kestrel_lakes.tdb");
    EXPECT_EQ(info.directory, "Product1");
    EXPECT_EQ(info.basemap, "kestrel_lakes");
    EXPECT_EQ(info.mdr, "");
}

TEST(InfoXml, ReadsVersionTwoNamespaceWithIndexFile) {
    const auto info = readInfoXml(readFile(test::fixtureDir() + "/installed/topo_v2.xml").value());
    EXPECT_EQ(info.name, "Topo & Trails");
    EXPECT_EQ(info.familyId(), 3001);
    EXPECT_EQ(info.productIdText, "2");
    EXPECT_EQ(info.mdr, "topo_mdr");
    EXPECT_EQ(info.tdb, "topo.tdb");
}

TEST(InfoXml, MatchesTagsInAnyCaseAndNamespacePrefix) {
    const auto info =
        readInfoXml("<mp:mapproduct xmlns:mp='x'><mp:id> 12 </mp:id><SUBPRODUCT><Id>7</Id>"
                    "<tdb>a.tdb</tdb><DIRECTORY attr=\"1\">P1</DIRECTORY><mdr/></SUBPRODUCT>");
    EXPECT_EQ(info.familyIdText, "12");
    EXPECT_EQ(info.productIdText, "7");
    EXPECT_EQ(info.tdb, "a.tdb");
    EXPECT_EQ(info.directory, "P1");
    EXPECT_EQ(info.mdr, "");
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
