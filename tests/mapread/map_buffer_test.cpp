#include <gtest/gtest.h>

#include <random>

#include "mapread/map_buffer.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace kestrel::test {
namespace {

TEST(MapBuffer, ReadersAreLittleEndianAndZeroOutsideTheFile) {
    const MapBuffer b = MapBuffer::fromBytes(std::string("\x01\x02\x03\xF4\x05", 5));
    EXPECT_EQ(b.dat(0), 1);
    EXPECT_EQ(b.bit2(0), 0x0201u);
    EXPECT_EQ(b.bit3(0), 0x030201u);
    EXPECT_EQ(b.bit4(0), static_cast<std::int32_t>(0xF4030201u));
    EXPECT_LT(b.bit4(0), 0);
    EXPECT_EQ(b.dat(5), 0);
    EXPECT_EQ(b.dat(-1), 0);
    volatile std::int64_t far = INT64_MAX; // kept opaque to the optimiser's bounds warnings
    EXPECT_EQ(b.dat(far), 0);
    EXPECT_EQ(b.dat(-far - 1), 0);
    EXPECT_EQ(b.bit4(3), 0x05F4);
    EXPECT_EQ(b.bit2(-1), 0x0100u);
}

TEST(MapBuffer, KeyIsAppliedByEveryReader) {
    MapBuffer b = MapBuffer::fromBytes(std::string("\x4B\x4A\x49", 3));
    EXPECT_EQ(b.rawFirstByte(), 0x4B);
    b.setKey(0x4B);
    EXPECT_EQ(b.dat(0), 0);
    EXPECT_EQ(b.dat(1), 1);
    EXPECT_EQ(b.bit2(1), 0x0201u);
    EXPECT_EQ(b.dat(3), 0); // outside the file stays 0, not the key
}

// Bytes of the given size with texts placed at offsets.
std::string placed(std::size_t size,
                   std::initializer_list<std::pair<std::size_t, std::string>> at) {
    std::string b(size, '\0');
    for (const auto& [offset, text] : at) b.replace(offset, text.size(), text);
    return b;
}

std::string masked(std::string b, std::uint8_t key) {
    for (char& c : b) c = static_cast<char>(c ^ key);
    return b;
}

Signatures search(const std::string& plain, std::uint8_t key) {
    MapBuffer b = MapBuffer::fromBytes(masked(plain, key));
    b.setKey(key);
    FakeUi ui;
    return b.findSignatures(ui);
}

// Where signatures lie in small files is compared with a plain text search below.
TEST(MapBuffer, FindsTheFirstOfEachSignatureInOnePass) {
    constexpr std::size_t kChunk = std::size_t(8) << 20; // the pass yields between chunks
    struct Row {
        const char* what;
        std::string bytes;
        Signatures expected;
    };
    const Row rows[] = {
        {"RGN at offset 0", placed(64, {{0, "GARMIN RGN"}, {20, "GARMIN RGN"}}), {0, -1, -1}},
        {"TRE at offset 0", placed(64, {{0, "GARMIN TRE"}, {20, "GARMIN TRE"}}), {-1, 0, -1}},
        {"across a chunk", placed(kChunk + 64, {{kChunk - 4, "GARMIN GMP"}}), {-1, -1, kChunk - 4}},
    };
    for (const Row& row : rows)
        for (std::uint8_t key : {0x00, 0x4B, 0xFF}) {
            SCOPED_TRACE(std::string(row.what) + ", key " + std::to_string(key));
            const Signatures s = search(row.bytes, key);
            EXPECT_EQ(s.rgn, row.expected.rgn);
            EXPECT_EQ(s.tre, row.expected.tre);
            EXPECT_EQ(s.gmp, row.expected.gmp);
        }
    // Read without its key, a masked file shows no signature.
    FakeUi ui;
    EXPECT_EQ(MapBuffer::fromBytes(masked(rows[0].bytes, 0x4B)).findSignatures(ui).rgn, -1);
}

TEST(MapBuffer, SignaturesAgreeWithAPlainTextSearch) {
    // Bytes from the signatures' own letters, so that near misses abound.
    std::mt19937 random(7);
    const std::string letters("GARMIN TEP\0", 11);
    const char* const signatures[] = {"GARMIN RGN", "GARMIN TRE", "GARMIN GMP"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 160, '\0');
        for (char& c : bytes) c = letters[random() % letters.size()];
        for (std::size_t at = random() % 4; at-- > 0;)
            if (!bytes.empty())
                bytes.replace(random() % bytes.size(), 10, signatures[random() % 3]);
        auto first = [&](const char* text) {
            const std::size_t at = bytes.find(text);
            return at == std::string::npos ? std::int64_t(-1) : static_cast<std::int64_t>(at);
        };
        const std::uint8_t key = round % 3 == 0 ? 0x00 : round % 3 == 1 ? 0x4B : 0xFF;
        const Signatures s = search(bytes, key);
        ASSERT_EQ(s.rgn, first("GARMIN RGN")) << bytes;
        ASSERT_EQ(s.tre, first("GARMIN TRE")) << bytes;
        ASSERT_EQ(s.gmp, first("GARMIN GMP")) << bytes;
    }
}

TEST(MapBuffer, ZeroRunCountsZerosInsideAndOutsideTheFile) {
    MapBuffer b = MapBuffer::fromBytes(std::string("\x00\x00\x07\x00", 4));
    EXPECT_EQ(b.zeroRun(0, 100), 2);
    EXPECT_EQ(b.zeroRun(-10, 100), 12);
    EXPECT_EQ(b.zeroRun(3, 100), 100);
    EXPECT_EQ(b.zeroRun(2, 100), 0);
    EXPECT_EQ(b.outsideRun(-3, 100), 3);
    EXPECT_EQ(b.outsideRun(4, 7), 7);
    b.setKey(0x07);
    EXPECT_EQ(b.zeroRun(2, 100), 1);
}

TEST(MapBuffer, OpensAFileWholeByMapping) {
    TempDir dir;
    std::string bytes(1000, 'x');
    bytes[999] = 'y';
    const std::string path = dir.write("m.img", bytes);
    MapBuffer b;
    ASSERT_EQ(b.open(path), std::nullopt);
    EXPECT_EQ(b.size(), 1000);
    EXPECT_EQ(b.dat(999), 'y');
    EXPECT_EQ(b.dat(1000), 0);
    MapBuffer moved = std::move(b);
    EXPECT_EQ(moved.dat(999), 'y');
    EXPECT_TRUE(b.empty());
}

} // namespace
} // namespace kestrel::test
