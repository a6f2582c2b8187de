#include "typbin/record_encoders.h"

#include <algorithm>
#include <cmath>

#include "typbin/element_codes.h"
#include "typfile/record_encoder.h"

namespace kestrel {

namespace {

// Report progress at the same points as the chunked record list did: each time a chunk of
// records has grown past this many bytes.
constexpr std::size_t kProgressChunkBytes = 200000;

constexpr typ::Rgb kWhite{0xFF, 0xFF, 0xFF};
// The numbered files name no code page of their own for their records: they hold no labels.
constexpr std::uint16_t kNoLabels = 0;

// A square picture in the element colour on white, every pixel in the element colour.
typ::Image square(std::uint8_t side) {
    typ::Image image;
    image.width = image.height = side;
    image.palette = {{kWhite}, {kWhite}};
    image.indices.assign(std::size_t{side} * side, 0);
    return image;
}

// The elements of each kind, built once; a record differs from the next only in code and colour.
struct Elements {
    typ::Point poi{{}, square(16), std::nullopt, {}};
    typ::Line line;
    typ::Polygon polygon;
    typ::IconSet icon{{}, std::nullopt, {square(32)}};
    typ::RecordEncoder encoder{kNoLabels};

    Elements(std::uint8_t lineWidth) {
        line.lineWidth = lineWidth;
        line.useOrientation = true;
    }
};

// One record: a 16 x 16 two-colour POI, a plain line of the width (an active route's record
// carries the width a second time), a solid polygon. The encoder refuses none of them: the codes
// fit 16 bits and the pictures are whole.
void putRecord(GeneratorKind kind, Elements& e, std::uint32_t code, ByteImage& data) {
    typ::RecordEncoder& encoder = e.encoder;
    const typ::ElementCode element = typ::ElementCode::fromWord(static_cast<std::uint16_t>(code));
    switch (kind) {
    case GeneratorKind::Pois:
        e.poi.code = element;
        e.poi.day.palette[0].rgb = codeColour(code);
        encoder.point(e.poi, data);
        break;
    case GeneratorKind::Lines:
    case GeneratorKind::ActiveRoutes:
        e.line.code = element;
        e.line.day.foreground = codeColour(code);
        encoder.line(e.line, typ::TypPart::Lines, data);
        if (kind == GeneratorKind::ActiveRoutes) data.add1u(e.line.lineWidth);
        break;
    case GeneratorKind::Polygons:
        e.polygon.code = element;
        e.polygon.day.foreground = codeColour(code);
        encoder.polygon(e.polygon, data);
        break;
    case GeneratorKind::ExtraPois:
        break;
    }
}

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

    NumberedSections s{ByteImage(), ByteImage(n * kNumberedIndexEntrySize), n};
    s.data.reserve(n * recordSize(kind));
    Elements elements(lineWidth);
    for (std::uint32_t i = 0; i < n; ++i) {
        if (kind == GeneratorKind::Pois && i % 100 == 0)
            ui.progress(static_cast<float>(i) / static_cast<float>(count) * 100.0f);
        const std::uint32_t code = steppedCode(start, i, stepping);
        const std::size_t offset = s.data.size();
        putRecord(kind, elements, code, s.data);
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
    NumberedSections s{ByteImage(), ByteImage(n * kActiveRouteIndexEntrySize), n};
    s.data.reserve(n * kActiveRouteRecordSize);
    Elements elements(lineWidth);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t code = activeRouteCode(start, i);
        const ActiveRouteGroup group = kActiveRouteGroups[i / kActiveRouteGroupSize];
        const std::size_t offset = s.data.size();
        putRecord(GeneratorKind::ActiveRoutes, elements, code, s.data);
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
    Elements elements(0);
    for (std::uint32_t i = 0; i < n; ++i) {
        const std::uint32_t id = startId + i;
        if (chunk > kProgressChunkBytes) {
            chunk = 0;
            ui.progress(static_cast<float>(std::floor(static_cast<double>(id) / end * 75.0)));
        }
        chunk += kExtraPoiRecordSize;
        const std::size_t pos = icons.size();
        // The ID spells the icon's colour.
        elements.icon.icons[0].palette[0].rgb = typ::rgbFromHex(id);
        elements.encoder.iconSet(elements.icon, icons);
        s.index.push_back({static_cast<std::uint16_t>(id), static_cast<std::uint32_t>(pos)});
        if (stopped(ui)) return std::nullopt;
    }
    s.icons = icons.release();
    return s;
}

} // namespace kestrel
