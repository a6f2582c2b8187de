#include "typbin/record_encoders.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "typbin/element_codes.h"

namespace kestrel {

namespace {

// Report progress at the same points as the chunked record list did: each time a chunk of
// records has grown past this many bytes.
constexpr std::size_t kProgressChunkBytes = 200000;

constexpr std::uint8_t kColourType = 0x06; // one solid colour, no bitmap
constexpr std::uint8_t kWhiteByte = 0xFF;

void putWhite(ByteImage& image, std::size_t pos) {
    for (std::size_t k = 0; k < 3; ++k) image.put1u(pos + k, kWhiteByte);
}

void putRecord(GeneratorKind kind, ByteImage& data, std::size_t pos, std::uint32_t colour,
               std::uint8_t lineWidth) {
    switch (kind) {
    case GeneratorKind::Pois: {
        // flags, 16 x 16 pixels, 2 colours, colour mode 0; then the element colour and white;
        // the 64 bitmap bytes stay zero (every pixel takes colour 1).
        constexpr std::uint8_t head[] = {0x01, 16, 16, 2, 0};
        for (std::size_t k = 0; k < sizeof head; ++k) data.put1u(pos + k, head[k]);
        putColourBgr(data, pos + 5, colour);
        putWhite(data, pos + 8);
        break;
    }
    case GeneratorKind::Lines:
        data.put1u(pos, kColourType);
        putColourBgr(data, pos + 2, colour);
        data.put1u(pos + 5, lineWidth);
        break;
    case GeneratorKind::Polygons:
        data.put1u(pos, kColourType);
        putColourBgr(data, pos + 1, colour);
        break;
    case GeneratorKind::ActiveRoutes:
        data.put1u(pos, kColourType);
        putColourBgr(data, pos + 2, colour);
        data.put1u(pos + 5, lineWidth);
        data.put1u(pos + 6, lineWidth);
        break;
    case GeneratorKind::ExtraPois:
        break;
    }
}

// An extra POI icon record before its colour is set: one icon, 0x042E, 1, 32 x 32 pixels,
// 2 colours, colour mode 0, the colour (bytes 8 to 10), white, and 256 bitmap bytes of zero
// (every pixel takes colour 1).
constexpr std::array<char, kExtraPoiRecordSize> kExtraPoiRecord = [] {
    std::array<char, kExtraPoiRecordSize> r{};
    const unsigned char head[] = {1, 0x2E, 0x04, 1, 32, 32, 2, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF};
    for (std::size_t k = 0; k < sizeof head; ++k) r[k] = static_cast<char>(head[k]);
    return r;
}();

// Yields after an element; true when the user asked to stop.
bool stopped(UiPort& ui) {
    ui.yield();
    return ui.stopflag();
}

} // namespace

std::size_t recordSize(GeneratorKind kind) {
    switch (kind) {
    case GeneratorKind::Pois:
        return kPoiRecordSize;
    case GeneratorKind::Lines:
        return kLineRecordSize;
    case GeneratorKind::Polygons:
        return kPolygonRecordSize;
    case GeneratorKind::ActiveRoutes:
        return kActiveRouteRecordSize;
    case GeneratorKind::ExtraPois:
        return kExtraPoiRecordSize;
    }
    return 0;
}

std::optional<NumberedSections> buildNumberedSections(GeneratorKind kind, std::uint32_t start,
                                                      std::uint32_t count, bool step,
                                                      std::uint8_t lineWidth, UiPort& ui) {
    const bool stepping = kind != GeneratorKind::Pois && step;
    // Codes never go down as i grows, so the first one past 16 bits ends the run.
    std::uint32_t n = 0;
    while (n < count && steppedCode(start, n, stepping) <= kMaxElementCode) ++n;

    const std::size_t size = recordSize(kind);
    NumberedSections s{ByteImage(n * size), ByteImage(n * kNumberedIndexEntrySize), n};
    for (std::uint32_t i = 0; i < n; ++i) {
        if (kind == GeneratorKind::Pois && i % 100 == 0)
            ui.progress(static_cast<float>(i) / static_cast<float>(count) * 100.0f);
        const std::uint32_t code = steppedCode(start, i, stepping);
        const std::size_t offset = i * size;
        putRecord(kind, s.data, offset, codeColour(code), lineWidth);
        const std::size_t entry = i * kNumberedIndexEntrySize;
        s.index.put2u(entry, static_cast<std::uint16_t>(code));
        s.index.put3u(entry + 2, static_cast<std::uint32_t>(offset));
        if (stopped(ui)) return std::nullopt;
    }
    return s;
}

std::optional<NumberedSections> buildActiveRouteSections(std::uint32_t start, std::uint32_t count,
                                                         std::uint8_t lineWidth, UiPort& ui) {
    const std::uint32_t n = std::min(count, kMaxActiveRoutes);
    NumberedSections s{ByteImage(n * kActiveRouteRecordSize),
                       ByteImage(n * kActiveRouteIndexEntrySize), n};
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t code = activeRouteCode(start, i);
        const ActiveRouteGroup group = kActiveRouteGroups[i / kActiveRouteGroupSize];
        const std::size_t offset = i * kActiveRouteRecordSize;
        putRecord(GeneratorKind::ActiveRoutes, s.data, offset, codeColour(code), lineWidth);
        const std::size_t entry = i * kActiveRouteIndexEntrySize;
        s.index.put2u(entry, static_cast<std::uint16_t>(code));
        s.index.put1u(entry + 2, group.a);
        s.index.put1u(entry + 3, group.b);
        s.index.put3u(entry + 4, static_cast<std::uint32_t>(offset));
        if (stopped(ui)) return std::nullopt;
    }
    return s;
}

std::optional<ExtraPoiSections> buildExtraPoiSections(std::uint32_t startId, std::uint32_t count,
                                                      UiPort& ui, std::string reuse) {
    ui.progress(0);
    const std::uint32_t n =
        startId > kMaxExtraPoiId ? 0 : std::min(count, kMaxExtraPoiId - startId + 1);
    // Sized from the count: however many icons are asked for, no record is cut.
    ByteImage icons(std::move(reuse));
    icons.reserve(std::size_t{n} * kExtraPoiRecordSize);
    ExtraPoiSections s;
    s.index.reserve(n);
    std::size_t chunk = 0;
    const double end = static_cast<double>(startId) + static_cast<double>(count);
    const std::string_view record(kExtraPoiRecord.data(), kExtraPoiRecord.size());
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t id = startId + i;
        if (chunk > kProgressChunkBytes) {
            chunk = 0;
            ui.progress(static_cast<float>(std::floor(static_cast<double>(id) / end * 75.0)));
        }
        chunk += kExtraPoiRecordSize;
        const std::size_t pos = std::size_t{i} * kExtraPoiRecordSize;
        icons.putBytes(pos, record);
        putColourBgr(icons, pos + 8, id);
        s.index.push_back({static_cast<std::uint16_t>(id), static_cast<std::uint32_t>(pos)});
        if (stopped(ui)) return std::nullopt;
    }
    s.icons = icons.release();
    return s;
}

} // namespace kestrel
