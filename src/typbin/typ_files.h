#pragma once
// Whole binary TYP files: header, then the sections, with nothing between them.
#include <string>
#include <vector>

#include "typbin/generator_request.h"
#include "typbin/record_encoders.h"
#include "typbin/section_slots.h"
#include "typbin/typ_header.h"
#include "typbin/typ_image.h"

namespace kestrel {

// A POI, line or polygon file: the 0x5B-byte header, the records, the index.
ByteImage numberedFile(GeneratorKind kind, const NumberedSections& sections,
                       const TypHeaderInfo& info);
// An active-route file: the 0xAE-byte header, the line records, the index.
ByteImage activeRouteFile(const NumberedSections& sections, const TypHeaderInfo& info);

// Pre-built sections larger than this are not loaded.
inline constexpr std::uint64_t kMaxPrebuiltSection = 64u << 20;

// The extra POI file from the section slots: slot 0 is rebuilt from the index, slot 1 holds the
// icon records of the current run. With `flag` (a run of the extra POI generator) the icon-set
// flag is recorded once elements were generated, and, while slot 3 is empty, the files "b2" to
// "b5" of `syspath` (when "b2" exists) are loaded verbatim into slots 2 to 5; a missing one leaves
// its slot empty.
ByteImage extraPoiFile(TypSectionSlots& sections, const std::vector<ExtraPoiIndexItem>& index,
                       bool flag, const TypHeaderInfo& info, const std::string& syspath);

} // namespace kestrel
