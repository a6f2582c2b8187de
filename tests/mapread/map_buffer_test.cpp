#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "mapread/map_buffer.h"
#include "mapread/signature_search.h"
#include "mapread/split_search.h"
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

// Short texts live inside the string object itself, so a moved buffer must point at its own copy.
TEST(MapBuffer, AMovedBufferReadsItsOwnBytes) {
    for (const std::string& bytes : {std::string("G"), std::string(64, 'G')}) {
        MapBuffer moved = MapBuffer::fromBytes(bytes);
        MapBuffer b(std::move(moved));
        moved = MapBuffer::fromBytes(std::string(bytes.size(), 'x'));
        EXPECT_EQ(b.dat(static_cast<std::int64_t>(bytes.size()) - 1), 'G') << bytes.size();
    }
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

// The signatures of the bytes masked with the key, searched in memory or in a file of them.
Signatures search(const std::string& plain, std::uint8_t key, const TempDir* dir = nullptr) {
    MapBuffer b;
    if (dir) {
        EXPECT_EQ(b.open(dir->write("m.img", masked(plain, key))), std::nullopt);
    } else {
        b = MapBuffer::fromBytes(masked(plain, key));
    }
    b.setKey(key);
    FakeUi ui;
    return b.findSignatures(ui);
}

// The first of each signature, as a plain text search finds it.
Signatures firstOfEach(const std::string& bytes) {
    auto first = [&](const char* text) {
        const std::size_t at = bytes.find(text);
        return at == std::string::npos ? std::int64_t(-1) : static_cast<std::int64_t>(at);
    };
    return {first("GARMIN RGN"), first("GARMIN TRE"), first("GARMIN GMP")};
}

void expectSame(const Signatures& s, const Signatures& expected) {
    EXPECT_EQ(s.rgn, expected.rgn);
    EXPECT_EQ(s.tre, expected.tre);
    EXPECT_EQ(s.gmp, expected.gmp);
}

// Signatures at the edges of what the search takes at once: the sixteen or thirty-two positions
// compared together, the sixty-four of a step, the blocks a file is read in, the chunks between
// yields, and the end of the file; in memory and in a file, plain and masked.
TEST(MapBuffer, FindsTheFirstOfEachSignatureAcrossEveryEdge) {
    constexpr std::size_t kBlock = std::size_t(256) << 10; // a file is read in these
    constexpr std::size_t kChunk = std::size_t(8) << 20;   // the pass yields between these
    constexpr std::size_t kSplit = std::size_t(16) << 20;  // two threads search files this big
    // Where each lies, as a plain text search finds it.
    const std::pair<const char*, std::string> rows[] = {
        {"RGN at offset 0", placed(64, {{0, "GARMIN RGN"}, {20, "GARMIN RGN"}})},
        {"TRE at offset 0", placed(64, {{0, "GARMIN TRE"}, {20, "GARMIN TRE"}})},
        {"filling the file", placed(10, {{0, "GARMIN TRE"}})},
        {"one byte short at the end", placed(20, {{11, "GARMIN GMP"}}).substr(0, 20)},
        {"ending with the file", placed(100, {{90, "GARMIN GMP"}})},
        {"across sixteen lanes", placed(200, {{12, "GARMIN RGN"}})},
        {"across thirty-two lanes", placed(200, {{28, "GARMIN TRE"}})},
        {"across a step", placed(200, {{60, "GARMIN TRE"}, {127, "GARMIN GMP"}})},
        {"blank in the next step", placed(200, {{58, "GARMIN RGN"}})},
        {"later ones ignored",
         placed(300, {{5, "GARMIN RGN"}, {70, "GARMIN RGN"}, {80, "GARMIN TRE"}})},
        {"in any order",
         placed(300, {{200, "GARMIN RGN"}, {100, "GARMIN TRE"}, {3, "GARMIN GMP"}})},
        {"a near miss first", placed(300, {{40, "GARMIN RGX"}, {99, "GARMIN RGN"}})},
        {"across a read block", placed(kBlock + 64, {{kBlock - 4, "GARMIN GMP"}})},
        {"first byte alone in a block", placed(2 * kBlock, {{kBlock - 1, "GARMIN RGN"}})},
        {"last byte alone in the next block", placed(2 * kBlock, {{kBlock - 9, "GARMIN TRE"}})},
        {"ending with a block", placed(2 * kBlock, {{kBlock - 10, "GARMIN GMP"}})},
        {"across a chunk", placed(kChunk + 64, {{kChunk - 4, "GARMIN GMP"}})},
        {"a file searched on two threads", placed(kSplit + 64, {{kBlock - 3, "GARMIN RGN"},
                                                                {kBlock + 100, "GARMIN TRE"},
                                                                {3 * kBlock + 7, "GARMIN TRE"},
                                                                {kSplit + 50, "GARMIN GMP"}})},
    };
    TempDir dir;
    for (const auto& [what, bytes] : rows)
        for (std::uint8_t key : {0x00, 0x4B, 0xFF})
            for (bool inFile : {false, true}) {
                SCOPED_TRACE(std::string(what) + ", key " + std::to_string(key) +
                             (inFile ? ", file" : ", memory"));
                expectSame(search(bytes, key, inFile ? &dir : nullptr), firstOfEach(bytes));
            }
    // Read without its key, a masked file shows no signature.
    FakeUi ui;
    EXPECT_EQ(MapBuffer::fromBytes(masked(rows[0].second, 0x4B)).findSignatures(ui).rgn, -1);
}

// Bytes from the signatures' own letters, so that near misses abound, fed to the search in
// pieces of every size (a signature may straddle any two), compared as wide as the processor can
// and sixteen bytes at a time, and searched on two threads in stretches of every size.
TEST(MapBuffer, SignaturesAgreeWithAPlainTextSearch) {
    std::mt19937 random(7);
    const std::string letters("GARMIN TEP\0", 11);
    const char* const signatures[] = {"GARMIN RGN", "GARMIN TRE", "GARMIN GMP"};
    for (int round = 0; round < 3000; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes) c = letters[random() % letters.size()];
        for (std::size_t at = random() % 4; at-- > 0;)
            if (!bytes.empty())
                bytes.replace(random() % bytes.size(), 10, signatures[random() % 3]);
        const std::uint8_t key = round % 3 == 0 ? 0x00 : round % 3 == 1 ? 0x4B : 0xFF;
        const std::string stored = masked(bytes, key);
        SCOPED_TRACE(bytes);
        expectSame(search(bytes, key), firstOfEach(bytes));
        for (auto lanes : {SignatureSearch::Lanes::Widest, SignatureSearch::Lanes::Sixteen}) {
            SignatureSearch pieces(key, lanes);
            const std::size_t most = 1 + random() % 80;
            for (std::size_t at = 0; at < stored.size();) {
                const std::size_t n = std::min(stored.size() - at, random() % (most + 1));
                pieces.feed({reinterpret_cast<const std::uint8_t*>(stored.data()) + at, n});
                at += n;
            }
            expectSame(pieces.found(), firstOfEach(bytes));
        }
        MapBuffer buf = MapBuffer::fromBytes(stored);
        buf.setKey(key);
        FakeUi ui;
        const auto split = findSignaturesSplit(buf, ui, 1 + random() % 50);
        ASSERT_TRUE(split.has_value());
        expectSame(*split, firstOfEach(bytes));
        if (HasFailure()) return;
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

TEST(MapBuffer, AViewReadsTheCallersBytesWithoutCopyingThem) {
    const std::string bytes("\x4B\x0A\x4B", 3);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    MapBuffer view = MapBuffer::view({data, bytes.size()});
    MapBuffer moved = std::move(view);
    moved.setKey(moved.rawFirstByte());
    EXPECT_EQ(moved.size(), 3);
    EXPECT_EQ(moved.dat(1), 0x41);
    EXPECT_EQ(moved.stored(0, 3).data(), data);
    EXPECT_TRUE(view.empty());
}

TEST(MapBuffer, OpensAFileWholeAndCopiesItsStoredBytes) {
    TempDir dir;
    std::string bytes(1000, 'x');
    bytes[999] = 'y';
    const std::string path = dir.write("m.img", bytes);
    MapBuffer b;
    ASSERT_EQ(b.open(path), std::nullopt);
    EXPECT_EQ(b.size(), 1000);
    EXPECT_EQ(b.dat(999), 'y');
    EXPECT_EQ(b.dat(1000), 0);
    b.setKey(0x01);
    std::array<std::uint8_t, 4> copied{};
    EXPECT_EQ(b.copyStored(997, copied), 3u); // as stored: the key is not undone
    EXPECT_EQ(copied[2], 'y');
    EXPECT_EQ(b.copyStored(1000, copied), 0u);
    EXPECT_EQ(b.copyStored(-1, copied), 0u);
    MapBuffer moved = std::move(b);
    EXPECT_EQ(moved.dat(999), 'y' ^ 0x01);
    EXPECT_TRUE(b.empty());
}

} // namespace
} // namespace kestrel::test
