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
    head(image, f.dataOffset, typhdr::kShortSize);
    put_head4(image, f.dataLength, u32(s.data.size()));
    put_head4(image, f.indexOffset, u32(typhdr::kShortSize + s.data.size()));
    head(image, f.indexRecordSize, kNumberedIndexEntrySize);
    put_head4(image, f.indexLength, s.count * u32(kNumberedIndexEntrySize));
    return image;
}

ByteImage activeRouteFile(const NumberedSections& s, const TypHeaderInfo& info) {
    using namespace typhdr;
    ByteImage image = withSections(kLongSize, s);
    writeCommonHeader(image, kLongSize, info);
    head(image, kLineDataOffset, kLongSize);
    put_head4(image, kLineDataLength, u32(s.data.size()));
    put_head4(image, kActiveRouteIndexOffset, u32(kLongSize + s.data.size()));
    head(image, kActiveRouteIndexRecordSize, kActiveRouteIndexEntrySize);
    put_head4(image, kActiveRouteIndexLength, s.count * u32(kActiveRouteIndexEntrySize));
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
    head(image, kSlot0RecordSize, kExtraPoiIndexEntrySize);
    head(image, kIconSetFlag, sections.iconSetFlag);
    head(image, kSlot2Constant, 6);
    head(image, kSlot2Tail, 0x1B);
    head(image, kSlot3Tail, 0x1B);
    head(image, kSlot3Constant, 6);
    head(image, kSlot4Constant, 0x13);

    std::size_t pos = kExtraPoiFirstSection;
    for (std::size_t k = 0; k < sections.slot.size(); ++k) {
        const std::string& s = sections.slot[k];
        if (s.empty()) continue;
        put_head4(image, kSlotOffset[k], u32(pos));
        put_head4(image, kSlotLength[k], u32(s.size()));
        image.putBytes(pos, s);
        pos += s.size();
    }

    // This file has no active-route index: its offset is 0, as its length at 0xAA is, so that a
    // reader sees one consistent "no section" and two runs give the same bytes.
    put_head4(image, kActiveRouteIndexOffset, 0);
    head(image, kActiveRouteIndexRecordSize, kExtraPoiIndexEntrySize);
    return image;
}

} // namespace kestrel
