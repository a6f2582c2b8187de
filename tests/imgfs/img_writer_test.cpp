// Writing a container with a subfile replaced or added: every real map comes out sound and well
// formed with its other subfiles unchanged; a map's own TYP put back gives mkgmap's bytes; the
// block size grows when the blocks run out; the size fields are mkgmap's.
#include <gtest/gtest.h>

#include <cstdio>
#include <variant>

#include "base/files.h"
#include "base/platform/platform.h"
#include "imgfs/img_geometry.h"
#include "imgfs/img_writer.h"
#include "support/fake_ui.h"
#include "support/fixture_maps.h"

namespace kestrel::test {
namespace {

img::MaskedBytes bytesOf(const std::string& file) {
    return img::MaskedBytes::ofFile(
        {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
}

std::uint32_t u16(const std::string& b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t u32(const std::string& b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

// The map file at `path` with `added` put into it, as written.
std::string rewrite(const std::string& path, const img::NewSubfile& added, const TempDir& tmp) {
    const std::string old = readFile(path).value_or("");
    const img::Directory dir = img::Directory::read(bytesOf(old));
    const auto layout = img::planContainer(bytesOf(old), dir, added);
    EXPECT_TRUE(std::holds_alternative<img::ContainerLayout>(layout));
    if (!std::holds_alternative<img::ContainerLayout>(layout)) return {};
    std::FILE* in = platform::openFile(path, "rb");
    FakeUi ui;
    const auto failure = replaceFileWith(tmp.file("new.img"), [&](FileSink& sink) {
        return img::writeContainer(std::get<img::ContainerLayout>(layout), added, in,
                                   bytesOf(old).key(), sink, ui);
    });
    std::fclose(in);
    EXPECT_FALSE(failure);
    return readFile(tmp.file("new.img")).value_or("");
}

// Checks the new file from its bytes alone, with the field offsets written here as numbers (not the
// writer's own constants): one run of blocks per subfile, every block of the file used once, parts
// numbered in order, the header's size fields true.
void expectWellFormed(const std::string& f) {
    const std::size_t bs = std::size_t(1) << (f[0x61] + f[0x62]); // 0x61, 0x62: the exponents
    ASSERT_EQ(f.size() % bs, 0u);
    const std::size_t blocks = f.size() / bs;
    EXPECT_EQ(f[0x00], 0);                             // 0x00: no mask
    EXPECT_EQ(u16(f, 0x63), blocks + 1);               // 0x63-0x64: blocks + 1
    EXPECT_EQ(u32(f, 0x1CA), (blocks + 1) * bs / 512); // 0x1CA-0x1CD: the partition
    EXPECT_GE(std::uint64_t(u16(f, 0x18)) * u16(f, 0x1A) * u16(f, 0x1C), // sectors, heads, cyl.
              (blocks + 1) * bs / 512);
    std::size_t next = 0, at = 0x200; // the entries, 512 bytes each; the first in use: the header's
    while (f[at] == 0) at += 512;
    std::string current;
    int part = 0;
    const std::size_t end = u32(f, at + 0x0C); // 0x0C-0x0F: its size, where the directory ends
    for (; at < end && f[at] == 1; at += 512) {
        const std::string key = f.substr(at + 1, 11); // 0x01-0x0B: name and type
        part = key == current ? part + 1 : 0;
        current = key;
        EXPECT_EQ(static_cast<std::uint8_t>(f[at + 0x11]), part % 256) << key; // 0x11: the part
        for (std::size_t i = 0; i < 240 && u16(f, at + 0x20 + 2 * i) != 0xFFFF; ++i)
            EXPECT_EQ(u16(f, at + 0x20 + 2 * i), next++) << key; // 0x20-0x1FF: its blocks
    }
    EXPECT_EQ(next, blocks);
    EXPECT_EQ(f.substr(at, end - at).find_first_not_of('\0'), std::string::npos);
}

TEST(ImgWriter, EveryRealMapTakesATypSoundAndWellFormed) {
    const std::string typ = readFile(fixtureDir() + "/maps/with_typ/style_blue.typ").value_or("");
    const std::vector<std::string> maps = fixtureMaps();
    EXPECT_GE(maps.size(), 10u);
    for (const std::string& map : maps) {
        SCOPED_TRACE(map);
        TempDir tmp;
        const std::string old = readFile(map).value_or("");
        const img::Directory before = img::Directory::read(bytesOf(old));
        const auto typs = before.ofType("TYP");
        const std::string typName = typs.empty() ? "00NEWTYP" : typs.front()->name;
        const std::string written = rewrite(map, {typName, "TYP", typ}, tmp);
        expectWellFormed(written);
        const img::Directory after = img::Directory::read(bytesOf(written));
        EXPECT_TRUE(after.sound());
        // The old subfiles in their order and unchanged, the TYP in the old one's place or last.
        ASSERT_EQ(after.subfiles.size(), before.subfiles.size() + typs.empty());
        for (std::size_t i = 0; i < after.subfiles.size(); ++i) {
            const img::Subfile& s = after.subfiles[i];
            if (s.name == typName && s.type == "TYP") {
                EXPECT_EQ(bytesOf(written).gather(s.runs), typ);
                continue;
            }
            EXPECT_EQ(s.name + s.type, before.subfiles[i].name + before.subfiles[i].type);
            EXPECT_EQ(bytesOf(written).gather(s.runs),
                      bytesOf(old).gather(before.subfiles[i].runs));
        }
    }
}

TEST(ImgWriter, AMapsOwnTypPutBackGivesMkgmapsBytes) {
    TempDir tmp;
    const std::string dir = fixtureDir() + "/maps/with_typ/";
    const std::string typ = readFile(dir + "style_red.typ").value_or("");
    EXPECT_EQ(rewrite(dir + "gmapsupp.img", {"STYLE_RE", "TYP", typ}, tmp),
              readFile(dir + "gmapsupp.img").value_or(""));
}

TEST(ImgWriter, BlockSizeGrowsWhenBlocksOrTheDirectoryOutgrowIt) {
    // 29 MB: at 512 bytes a block the directory takes more blocks than its entry lists; 40 MB:
    // more blocks than 16 bits number.
    for (const std::size_t mb : {29, 40}) {
        SCOPED_TRACE(mb);
        TempDir tmp;
        const std::string path = fixtureDir() + "/maps/two_tiles/gmapsupp.img";
        const std::string big(mb << 20, 'x');
        const std::string written = rewrite(path, {"00000BIG", "TYP", big}, tmp);
        EXPECT_EQ(written[0x61] + written[0x62], 10);
        expectWellFormed(written);
        EXPECT_TRUE(img::Directory::read(bytesOf(written)).sound());
    }
}

TEST(ImgWriter, SizeFieldsAreMkgmaps) {
    // The geometry mkgmap gave maps of 12 KB to 1 GB.
    const std::vector<std::pair<std::uint64_t, std::vector<std::uint32_t>>> geometries{
        {24, {4, 16, 32}},        {3126, {4, 16, 64}},      {5904, {4, 16, 128}},
        {78256, {8, 16, 1023}},   {195512, {16, 16, 1023}}, {390912, {32, 16, 1023}},
        {977024, {32, 32, 1023}}, {2090432, {32, 64, 1023}}};
    for (const auto& [sectors, g] : geometries) {
        const img::DiskGeometry found = img::geometryFor(sectors);
        EXPECT_EQ((std::vector{found.sectors, found.heads, found.cylinders}), g) << sectors;
    }
    // Every field fitted afresh to the blocks of mkgmap's maps gives mkgmap's header.
    for (const char* map : {"/maps/with_typ/gmapsupp.img", "/maps/complete/gmapsupp/gmapsupp.img",
                            "/maps/with_tdb/63240041.img"}) {
        const std::string file = readFile(fixtureDir() + map).value_or("");
        const std::string header = file.substr(0, 512);
        std::string cleared = header;
        // Sectors, heads, cylinders; the heads and sectors again; blocks + 1; the partition's end
        // (C/H/S) and its sectors.
        for (auto [at, n] : {std::pair{0x18, 6}, {0x5D, 4}, {0x63, 2}, {0x1C3, 3}, {0x1CA, 4}})
            cleared.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(n),
                            static_cast<std::size_t>(n), '\0');
        const int exponent = header[0x61] + header[0x62];
        img::fitHeader(cleared, file.size() >> exponent, exponent);
        EXPECT_EQ(cleared, header) << map;
    }
}

} // namespace
} // namespace kestrel::test
