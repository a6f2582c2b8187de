#pragma once
// The element records and index entries of the numbered-element files: one data section of
// fixed-size records and one index section of fixed-size entries per file. The builders yield
// to the window system between elements and give up (nothing) when the stop flag is raised.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_image.h"
#include "base/uiport.h"
#include "typbin/generator_request.h"

namespace kestrel {

inline constexpr std::size_t kPoiRecordSize = 75;
inline constexpr std::size_t kLineRecordSize = 6;
inline constexpr std::size_t kPolygonRecordSize = 4;
inline constexpr std::size_t kActiveRouteRecordSize = 7;
inline constexpr std::size_t kExtraPoiRecordSize = 270;

inline constexpr std::size_t kNumberedIndexEntrySize = 5;    // code u16, record offset u24
inline constexpr std::size_t kActiveRouteIndexEntrySize = 7; // code u16, group A, B, offset u24
inline constexpr std::size_t kExtraPoiIndexEntrySize = 6;    // ID u16, record offset u32

inline constexpr std::uint32_t kMaxExtraPoiId = 65535;

struct NumberedSections {
    ByteImage data;
    ByteImage index;
    std::uint32_t count = 0; // elements written
};

// Size in bytes of one data record of a POI, line, polygon or active-route file.
std::size_t recordSize(GeneratorKind kind);

// POIs, lines or polygons from the first type `start`. Elements whose code would not fit in 16
// bits are not generated (the dialog never asks for them).
std::optional<NumberedSections> buildNumberedSections(GeneratorKind kind, std::uint32_t start,
                                                      std::uint32_t count, bool step,
                                                      std::uint8_t lineWidth, UiPort& ui);
// Active routes: at most 186 elements, whatever the count.
std::optional<NumberedSections> buildActiveRouteSections(std::uint32_t start, std::uint32_t count,
                                                         std::uint8_t lineWidth, UiPort& ui);

struct ExtraPoiIndexItem {
    std::uint16_t id;
    std::uint32_t offset; // from the start of the icon records
};
struct ExtraPoiSections {
    std::string icons; // the icon records, slot 1 of the file
    std::vector<ExtraPoiIndexItem> index;
};
// Extra POI icons for the IDs start, start + 1, ... (never beyond 65535). The records are built
// in the storage of `reuse` (the previous run's records), so a repeated run does not claim fresh
// memory for its megabytes.
std::optional<ExtraPoiSections> buildExtraPoiSections(std::uint32_t startId, std::uint32_t count,
                                                      UiPort& ui, std::string reuse = {});

} // namespace kestrel
