#include "typbin/typ_files.h"

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"

namespace kestrel {

namespace {

struct SectionFields {
    std::size_t dataOffset;
    std::size_t dataLength;
    std::size_t indexOffset;
    std::size_t indexRecordSize;
    std::size_t indexLength;
};

SectionFields shortFields(GeneratorKind kind) {
    using namespace typhdr;
    switch (kind) {
    case GeneratorKind::Lines:
        return {kLineDataOffset, kLineDataLength, kLineIndexOffset, kLineIndexRecordSize,
                kLineIndexLength};
    case GeneratorKind::Polygons:
        return {kPolygonDataOffset, kPolygonDataLength, kPolygonIndexOffset,
                kPolygonIndexRecordSize, kPolygonIndexLength};
    default:
        return {kPointDataOffset, kPointDataLength, kPointIndexOffset, kPointIndexRecordSize,
                kPointIndexLength};
    }
}

std::uint32_t u32(std::size_t v) {
    return static_cast<std::uint32_t>(v);
}

// Header, then data, then index, in one buffer sized once.
ByteImage withSections(std::size_t headerSize, const NumberedSections& s) {
    ByteImage image(headerSize);
    image.reserve(headerSize + s.data.size() + s.index.size());
    image.putBytes(headerSize, s.data.bytes());
    image.putBytes(headerSize + s.data.size(), s.index.bytes());
    return image;
}

} // namespace

ByteImage numberedFile(GeneratorKind kind, const NumberedSections& s, const TypHeaderInfo& info) {
    ByteImage image = withSections(typhdr::kShortSize, s);
    writeCommonHeader(image, typhdr::kShortSize, info);
    const SectionFields f = shortFields(kind);
    image.head(f.dataOffset, typhdr::kShortSize);
    image.put_head4(f.dataLength, u32(s.data.size()));
    image.put_head4(f.indexOffset, u32(typhdr::kShortSize + s.data.size()));
    image.head(f.indexRecordSize, kNumberedIndexEntrySize);
    image.put_head4(f.indexLength, s.count * u32(kNumberedIndexEntrySize));
    return image;
}

ByteImage activeRouteFile(const NumberedSections& s, const TypHeaderInfo& info) {
    using namespace typhdr;
    ByteImage image = withSections(kLongSize, s);
    writeCommonHeader(image, kLongSize, info);
    image.head(kLineDataOffset, kLongSize);
    image.put_head4(kLineDataLength, u32(s.data.size()));
    image.put_head4(kActiveRouteIndexOffset, u32(kLongSize + s.data.size()));
    image.head(kActiveRouteIndexRecordSize, kActiveRouteIndexEntrySize);
    image.put_head4(kActiveRouteIndexLength, s.count * u32(kActiveRouteIndexEntrySize));
    return image;
}

ByteImage extraPoiFile(TypSectionSlots& sections, const std::vector<ExtraPoiIndexItem>& index,
                       bool flag, const TypHeaderInfo& info, const std::string& syspath) {
    using namespace typhdr;

    ByteImage slot0(index.size() * kExtraPoiIndexEntrySize);
    for (std::size_t k = 0; k < index.size(); ++k) {
        slot0.put2u(k * kExtraPoiIndexEntrySize, index[k].id);
        slot0.put4u(k * kExtraPoiIndexEntrySize + 2, index[k].offset);
    }
    sections.slot[0] = slot0.release();

    if (flag && sections.iconSetFlag == 0 && !index.empty())
        sections.iconSetFlag = kIconSetFlagValue;

    if (flag && sections.slot[3].empty() && fileExists(joinPath(syspath, "b2"))) {
        for (std::size_t k = 2; k <= 5; ++k)
            sections.slot[k] =
                readFile(joinPath(syspath, concat({"b", std::to_string(k)})), kMaxPrebuiltSection)
                    .value_or("");
    }

    std::size_t total = kExtraPoiFirstSection;
    for (const std::string& s : sections.slot) total += s.size();
    ByteImage image(kExtraPoiFirstSection);
    image.reserve(total);

    writeCommonHeader(image, kLongSize, info);
    image.head(kSlot0RecordSize, kExtraPoiIndexEntrySize);
    image.head(kIconSetFlag, sections.iconSetFlag);
    image.head(kSlot2Constant, 6);
    image.head(kSlot2Tail, 0x1B);
    image.head(kSlot3Tail, 0x1B);
    image.head(kSlot3Constant, 6);
    image.head(kSlot4Constant, 0x13);

    std::size_t pos = kExtraPoiFirstSection;
    for (std::size_t k = 0; k < sections.slot.size(); ++k) {
        const std::string& s = sections.slot[k];
        if (s.empty()) continue;
        image.put_head4(kSlotOffset[k], u32(pos));
        image.put_head4(kSlotLength[k], u32(s.size()));
        image.putBytes(pos, s);
        pos += s.size();
    }

    // This file has no active-route index: its offset is 0, as its length at 0xAA is, so that a
    // reader sees one consistent "no section" and two runs give the same bytes.
    image.put_head4(kActiveRouteIndexOffset, 0);
    image.head(kActiveRouteIndexRecordSize, kExtraPoiIndexEntrySize);
    return image;
}

} // namespace kestrel
