#pragma once
// What a legend is made of: a TYP text, a binary TYP, or the TYP inside a map, read into the model.
// Refusals are values with their reason.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "mapread/unreadable.h"
#include "typfile/text_notes.h"
#include "typfile/typ_file.h"

namespace kestrel::legend {

enum class InputKind : std::uint8_t { Text, Binary, Map };

struct LegendInput {
    typ::TypFile typ;
    InputKind kind = InputKind::Text;
    std::string typName;    // in a map: the TYP's name there ("I2023100.TYP")
    unsigned typsInMap = 0; // in a map: how many it holds (the first is shown)
    unsigned readNotes = 0; // a binary TYP: records that could not be read, left out
};

enum class InputProblem : std::uint8_t {
    Unreadable,   // missing, a folder, not a regular file, not readable: `unreadable` says
    TooLarge,     // larger than any TYP file or text
    ReadFailed,   // the bytes could not be read
    TextRefused,  // a text that is no TYP text: `textError` says where and why
    MapWithoutTyp // an IMG container without a TYP file
};

struct InputFault {
    InputProblem problem = InputProblem::ReadFailed;
    std::optional<Unreadable> unreadable;
    std::optional<typ::TextError> textError;
};

using InputRead = std::variant<LegendInput, InputFault>;

// Reads the file at `path`: a binary TYP by its signature, a map by its IMG directory, any other
// file as a TYP text.
InputRead readLegendInput(const std::string& path);
// Bytes that are a binary TYP (by its signature) or a TYP text.
InputRead legendInputFromBytes(std::string_view bytes);

} // namespace kestrel::legend
