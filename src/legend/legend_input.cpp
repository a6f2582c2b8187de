#include "legend/legend_input.h"

#include <cstdint>

#include "base/files.h"
#include "maptyp/map_file.h"
#include "typfile/binary_reader.h"
#include "typfile/text_reader.h"
#include "typfile/typ_header.h"

namespace kestrel::legend {
namespace {

// Larger than any TYP file: mkgmap's end at 16 MB, and no tool's come near.
constexpr std::uint64_t kMaxTypFile = std::uint64_t{64} << 20;

bool hasTypSignature(std::string_view bytes) {
    return bytes.size() >= typ::hdr::kSignature + typ::hdr::kSignatureText.size() &&
           bytes.substr(typ::hdr::kSignature, typ::hdr::kSignatureText.size()) ==
               typ::hdr::kSignatureText;
}

LegendInput fromBinary(std::string_view bytes, InputKind kind) {
    typ::BinaryRead read = typ::readBinary(bytes);
    return {std::move(read.typ), kind, {}, 0, static_cast<unsigned>(read.notes.size())};
}

InputRead fromText(std::string_view bytes) {
    typ::TextRead read = typ::readText(bytes);
    if (read.error) return InputFault{InputProblem::TextRefused, std::nullopt, *read.error};
    return LegendInput{std::move(read.typ), InputKind::Text, {}, 0, 0};
}

InputRead fromMap(const maptyp::MapFile& map) {
    const std::vector<maptyp::TypInMap> typs = map.typs();
    if (typs.empty()) return InputFault{InputProblem::MapWithoutTyp, {}, {}};
    const img::Subfile& first = *typs.front().subfile;
    const std::string bytes =
        map.bytes().gather(first.runs, static_cast<std::int64_t>(kMaxTypFile) + 1);
    if (bytes.size() > kMaxTypFile) return InputFault{InputProblem::TooLarge, {}, {}};
    LegendInput input = fromBinary(bytes, InputKind::Map);
    input.typName = maptyp::safeFileName(first);
    input.typsInMap = static_cast<unsigned>(typs.size());
    return input;
}

} // namespace

InputRead legendInputFromBytes(std::string_view bytes) {
    if (hasTypSignature(bytes)) return fromBinary(bytes, InputKind::Binary);
    return fromText(bytes);
}

InputRead readLegendInput(const std::string& path) {
    if (auto why = checkMapFile(path); why && why->reason != UnreadableReason::NoMapData)
        return InputFault{InputProblem::Unreadable, std::move(*why), {}};
    const std::optional<std::string> head = readFileHead(path, typ::hdr::kShortLength);
    if (!head) return InputFault{InputProblem::ReadFailed, {}, {}};
    const bool binary = hasTypSignature(*head);
    if (!binary) {
        auto map = maptyp::MapFile::open(path);
        if (const auto* opened = std::get_if<maptyp::MapFile>(&map)) return fromMap(*opened);
        auto& fault = std::get<maptyp::MapFault>(map);
        if (fault.unreadable && fault.unreadable->reason != UnreadableReason::NoMapData)
            return InputFault{InputProblem::Unreadable, std::move(fault.unreadable), {}};
    }
    const std::uint64_t limit = binary ? kMaxTypFile : typ::kMaxTextSize;
    if (fileSize(path).value_or(0) > limit) return InputFault{InputProblem::TooLarge, {}, {}};
    const std::optional<std::string> bytes = readFile(path, limit);
    if (!bytes) return InputFault{InputProblem::ReadFailed, {}, {}};
    return legendInputFromBytes(*bytes);
}

} // namespace kestrel::legend
