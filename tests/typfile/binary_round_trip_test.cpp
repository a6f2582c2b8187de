// A binary TYP read into the model and written again: mkgmap's files come out byte for byte, and
// every record the writer encodes is the one the independent test reader finds in mkgmap's file.
#include <gtest/gtest.h>

#include "support/typ_test_reader.h"
#include "typfile/binary_reader.h"
#include "typfile/binary_writer.h"
#include "typfile/typ_samples.h"

namespace kestrel::typ {
namespace {

// The records of one kind encoded anew, in the order of the model.
template <typename T, typename Encode>
std::vector<std::string> encoded(const std::vector<T>& list, Encode encode) {
    std::vector<std::string> out;
    for (const T& e : list) {
        ByteImage record;
        EXPECT_FALSE(encode(e, record));
        out.push_back(record.release());
    }
    return out;
}

std::vector<std::string> oracleRecords(const test::TypProbe& probe, int kind) {
    std::vector<std::string> out;
    for (const test::TypRecord& r : probe.records[static_cast<std::size_t>(kind)])
        out.push_back(r.bytes);
    return out;
}

TEST(TypBinary, MkgmapFilesComeOutByteForByte) {
    const std::vector<test::TypSample> files = test::mkgmapTypFiles();
    ASSERT_GE(files.size(), 7u);
    for (const test::TypSample& f : files) {
        SCOPED_TRACE(f.name);
        const BinaryRead read = readBinary(f.bytes);
        ASSERT_FALSE(read.refusal);
        EXPECT_TRUE(read.notes.empty());
        const BinaryWrite written = writeBinary(read.typ, read.created);
        ASSERT_FALSE(written.error);
        EXPECT_TRUE(written.droppedLabels.empty());
        EXPECT_EQ(written.bytes, f.bytes);

        const std::optional<test::TypProbe> probe = test::probeTyp(f.bytes);
        ASSERT_TRUE(probe);
        RecordEncoder encoder(read.typ.identity.codePage);
        EXPECT_EQ(encoded(read.typ.polygons,
                          [&](const Polygon& p, ByteImage& o) { return encoder.polygon(p, o); }),
                  oracleRecords(*probe, 0));
        EXPECT_EQ(encoded(read.typ.lines,
                          [&](const Line& l, ByteImage& o) {
                              return encoder.line(l, TypPart::Lines, o);
                          }),
                  oracleRecords(*probe, 1));
        EXPECT_EQ(encoded(read.typ.points,
                          [&](const Point& p, ByteImage& o) { return encoder.point(p, o); }),
                  oracleRecords(*probe, 2));
        EXPECT_EQ(probe->codepage, read.typ.identity.codePage);
        EXPECT_EQ(probe->fid, read.typ.identity.familyId);
        EXPECT_EQ(probe->pid, read.typ.identity.productId);
    }
}

// The numbered files take another layout (short or long header, 5-byte index entries, the icon
// index by ID, a spare width byte in active-route records); written in mkgmap's layout they hold
// the same content, and that file comes out byte for byte again.
TEST(TypBinary, NumberedFilesKeepTheirContentInMkgmapsLayout) {
    const std::vector<test::TypSample> files = test::numberedTypFiles();
    ASSERT_GE(files.size(), 10u);
    for (const test::TypSample& f : files) {
        SCOPED_TRACE(f.name);
        const BinaryRead read = readBinary(f.bytes);
        ASSERT_FALSE(read.refusal);
        EXPECT_TRUE(read.notes.empty());
        const BinaryWrite once = writeBinary(read.typ, read.created);
        ASSERT_FALSE(once.error);
        const BinaryRead again = readBinary(once.bytes);
        EXPECT_TRUE(again.notes.empty());
        EXPECT_EQ(again.typ, read.typ);
        EXPECT_EQ(writeBinary(again.typ, again.created).bytes, once.bytes);
    }
}

} // namespace
} // namespace kestrel::typ
