#include "cli/typ_input.h"

#include "base/files.h"
#include "cli/messages.h"
#include "mapread/garmin_content.h"
#include "maptyp/map_file.h"
#include "typfile/binary_reader.h"
#include "typfile/text_messages.h"
#include "typfile/text_reader.h"

namespace kestrel::cli {
namespace {

std::variant<TypInput, std::string> fromBinary(const std::string& path, std::string_view bytes) {
    typ::BinaryRead read = typ::readBinary(bytes);
    if (read.refusal) return skippedMap(path, kNotTypFile);
    TypInput in{std::move(read.typ), {}};
    for (const typ::ReadNote& n : read.notes) in.notes.push_back(readNoteText(path, n));
    return in;
}

} // namespace

std::variant<std::monostate, TypInput, std::string> readMapTyp(const std::string& map) {
    auto opened = maptyp::MapFile::open(map);
    const auto* file = std::get_if<maptyp::MapFile>(&opened);
    if (!file) return std::monostate{};
    const std::vector<maptyp::TypInMap> typs = file->typs();
    if (typs.empty()) return std::monostate{};
    const std::string bytes = file->bytes().gather(typs.front().subfile->runs, kMaxTypFile);
    return std::visit(
        [](auto&& r) -> std::variant<std::monostate, TypInput, std::string> { return r; },
        fromBinary(map, bytes));
}

std::variant<TypInput, std::string> readTypInput(const std::string& path) {
    const std::optional<std::string> head = readFileHead(path, kGarminHeadSize);
    if (!head) return cannotRead(path, kNoSuchFile);
    const GarminContent held =
        garminContent({reinterpret_cast<const std::uint8_t*>(head->data()), head->size()});
    if (held == GarminContent::Map) {
        auto in = readMapTyp(path);
        if (std::holds_alternative<std::monostate>(in)) return skippedMap(path, kNoTypInMap);
        if (auto* error = std::get_if<std::string>(&in)) return *error;
        return std::get<TypInput>(std::move(in));
    }
    const std::uint64_t limit = held == GarminContent::Typ ? kMaxTypFile : typ::kMaxTextSize;
    if (fileSize(path).value_or(0) > limit)
        return skippedMap(path, held == GarminContent::Typ ? kTypTooLarge : kTextTooLarge);
    const std::optional<std::string> bytes = readFile(path, limit);
    if (!bytes) return cannotRead(path, kNoSuchFile);
    if (held == GarminContent::Typ) return fromBinary(path, *bytes);
    typ::TextRead read = typ::readText(*bytes);
    if (read.error)
        return escapeControls(textPlace(path, read.error->line) + typ::problemText(*read.error));
    TypInput in{std::move(read.typ), {}};
    for (const typ::TextNote& n : read.notes)
        in.notes.push_back(
            escapeControls(concat({textPlace(path, n.line), kWarningWord, typ::warningText(n)})));
    return in;
}

} // namespace kestrel::cli
