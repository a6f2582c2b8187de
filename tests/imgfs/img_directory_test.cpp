// The IMG directory reader on real maps, on maps whose directories contradict themselves or the
// file, and on the part numbers mkgmap counts in one byte.
#include <gtest/gtest.h>

#include <functional>

#include "base/files.h"
#include "imgfs/img_directory.h"
#include "imgfs/img_layout.h"
#include "support/fixture_maps.h"
#include "support/tile_builder.h"

namespace kestrel::test {
namespace {

img::Directory readBytes(const std::string& bytes) {
    return img::Directory::read(img::MaskedBytes::ofFile(
        {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
}

std::vector<std::string> names(const img::Directory& dir) {
    std::vector<std::string> n;
    for (const img::Subfile& s : dir.subfiles) n.push_back(img::fileName(s.name, s.type));
    return n;
}

TEST(ImgDirectory, RealMapsListEverySubfileWhole) {
    const std::vector<std::string> maps = fixtureMaps();
    EXPECT_GE(maps.size(), 10u);
    for (const std::string& map : maps) {
        SCOPED_TRACE(map);
        const img::Directory dir = readBytes(readFile(map).value_or(""));
        EXPECT_TRUE(dir.sound());
        for (const img::Subfile& s : dir.subfiles) EXPECT_EQ(s.held, s.size);
    }
    const img::Directory withTyp =
        readBytes(readFile(fixtureDir() + "/maps/with_typ/gmapsupp.img").value_or(""));
    EXPECT_EQ(names(withTyp),
              (std::vector<std::string>{"MAKEGMAP.MPS", "63240091.RGN", "63240091.TRE",
                                        "63240091.LBL", "63240092.RGN", "63240092.TRE",
                                        "63240092.LBL", "STYLE_RE.TYP", "00006326.SRT"}));
    EXPECT_EQ(withTyp.blockSize, 512);
    EXPECT_EQ(withTyp.headerEntry, 0x400);
}

TEST(ImgDirectory, MaskedMapReadsAsThePlainOne) {
    const std::string dir = fixtureDir() + "/maps/complete/every_kind/";
    const std::string plain = readFile(dir + "63240061.img").value_or("");
    const std::string masked = readFile(dir + "63240061_x5a.img").value_or("");
    const img::Directory a = readBytes(plain), b = readBytes(masked);
    ASSERT_EQ(names(a), names(b));
    const auto bytesOf = [](const std::string& file) {
        return img::MaskedBytes::ofFile(
            {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()});
    };
    for (std::size_t i = 0; i < a.subfiles.size(); ++i)
        EXPECT_EQ(bytesOf(plain).gather(a.subfiles[i].runs),
                  bytesOf(masked).gather(b.subfiles[i].runs));
}

// A container of two subfiles of zeros (blocks 4 and 5, 6 and 7), changed by each row.
struct Hostile {
    const char* what;
    std::function<void(ImgBuilder&)> change;
    std::vector<img::Fault> faults;
};

TEST(ImgDirectory, HostileDirectoriesSayWhatIsWrong) {
    constexpr std::int64_t first = img::kFirstEntry + img::kEntryBytes;
    constexpr std::int64_t second = first + img::kEntryBytes;
    const auto blocks = [](std::int64_t entry, std::uint32_t a, std::uint32_t b) {
        return [=](ImgBuilder& img) {
            img.put2(entry + img::kEntryBlocks, a).put2(entry + img::kEntryBlocks + 2, b);
        };
    };
    using F = img::Fault;
    const std::vector<Hostile> rows{
        {"blocks of 256 bytes",
         [](ImgBuilder& i) { i.put1(img::kBlockExponent1, 8); },
         {F::BlockSize}},
        {"blocks of 2 GiB",
         [](ImgBuilder& i) { i.put1(img::kBlockExponent2, 22); },
         {F::BlockSize}},
        {"no entry in use",
         [](ImgBuilder& i) {
             for (std::int64_t e = img::kFirstEntry; e <= second; e += img::kEntryBytes)
                 i.put1(e, 0);
         },
         {F::NoDirectory}},
        {"directory past the end",
         [](ImgBuilder& i) { i.put4(img::kFirstEntry + img::kEntryFileSize, 0xFFFFFFFF); },
         {F::DirectoryPastEnd}},
        {"a further part first",
         [=](ImgBuilder& i) { i.put1(second + img::kEntryPartByte, 1); },
         {F::PartWithoutStart}},
        {"a subfile twice",
         [=](ImgBuilder& i) { i.putText(second + img::kEntryType, "TRE"); },
         {F::SubfileTwice}},
        {"a block past the end", blocks(second, 6, 0x7000), {F::BlocksDamaged}},
        {"a block of the other subfile", blocks(second, 5, 7), {F::BlocksDamaged}},
        {"a block of the header", blocks(second, 0, 7), {F::BlocksDamaged}},
        {"a block twice", blocks(second, 6, 6), {F::BlocksDamaged}},
        {"too few blocks", blocks(second, 6, img::kNoBlock), {F::BlocksDamaged}},
        {"more blocks than can be told apart",
         [=](ImgBuilder& i) {
             i.put4(img::kFirstEntry + img::kEntryFileSize, 300 * img::kEntryBytes);
             i.put1(300 * img::kEntryBytes, 0);
             for (std::int64_t e = second + img::kEntryBytes; e < 300 * img::kEntryBytes;
                  e += img::kEntryBytes)
                 i.put1(e, 1).putText(e + 1, "63240099RGN").put1(e + img::kEntryPartByte, 1);
         },
         {F::TooManyEntries}},
    };
    const std::string zeros(1000, '\0');
    for (const Hostile& row : rows) {
        SCOPED_TRACE(row.what);
        ImgBuilder img(0);
        img.putText(0, container({{"TRE", zeros, {4, 5}}, {"RGN", zeros, {6, 7}}}));
        row.change(img);
        img::Directory dir = readBytes(img.bytes());
        std::vector<img::Fault> faults;
        for (const img::Problem& p : dir.problems) faults.push_back(p.fault);
        EXPECT_EQ(faults, row.faults);
        EXPECT_FALSE(dir.sound());
    }
}

TEST(ImgDirectory, PartsCountedInOneByteGoOnPast256) {
    // 257 parts of one block each, numbered 0, 1, ... 255, 0 as mkgmap numbers them.
    constexpr int parts = 257;
    ImgBuilder img(0);
    img.putText(img::kSignature, std::string("DSKIMG\0", 7)).put1(img::kBlockExponent1, 9);
    const std::int64_t end = img::kFirstEntry + img::kEntryBytes * (parts + 1);
    img.put1(img::kFirstEntry, 1).put4(img::kFirstEntry + img::kEntryFileSize, end);
    for (int p = 0; p < parts; ++p) {
        const std::int64_t e = img::kFirstEntry + img::kEntryBytes * (p + 1);
        img.put1(e, 1).putText(e + img::kEntryName, "BIG     TYP");
        img.put4(e + img::kEntryFileSize, p == 0 ? parts * 512 : 0);
        img.put1(e + img::kEntryPartByte, p & 0xFF);
        img.put2(e + img::kEntryBlocks, end / 512 + p).put2(e + img::kEntryBlocks + 2, 0xFFFF);
    }
    img.put1(end + parts * 512 - 1, 0);
    const img::Directory dir = readBytes(img.bytes());
    EXPECT_TRUE(dir.sound());
    ASSERT_EQ(dir.subfiles.size(), 1u);
    EXPECT_EQ(dir.subfiles[0].parts, parts);
    EXPECT_EQ(dir.subfiles[0].held, parts * 512);
}

} // namespace
} // namespace kestrel::test
