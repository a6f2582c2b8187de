#pragma once
// A TYP text to a binary TYP, as `mkgmap --code-page=CP --family-id=F --product-id=P TEXT`
// makes it: the text read as mkgmap reads it (text_reader), its identity overridden where asked,
// the file laid out as mkgmap lays it out (binary_writer). Unlike mkgmap, the text's own CodePage
// is honoured (mkgmap writes code page 0 unless told); a text without one is written in 1252.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "typfile/text_notes.h"
#include "typfile/typ_clock.h"
#include "typfile/typ_file.h"

namespace kestrel::typ {

inline constexpr std::uint16_t kDefaultCodePage = 1252;

struct IdentityOverride {
    std::optional<std::uint16_t> familyId;
    std::optional<std::uint16_t> productId;
    std::optional<std::uint16_t> codePage;
};

struct CompiledText {
    std::optional<TextError> error; // set: nothing was made
    std::string bytes;              // the TYP file
    TypFile typ;                    // what it holds
    std::vector<TextNote> notes;    // warnings, in the order of the lines
};

CompiledText compileText(std::string_view text, const IdentityOverride& ids,
                         const DateTime& created);

} // namespace kestrel::typ
