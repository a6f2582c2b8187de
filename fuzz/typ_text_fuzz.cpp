// Any bytes as a TYP source text: compiling must not crash, hang or grow without bound. A text
// that compiles gives a file the binary reader takes without a note, with the elements, identity
// and draw order the compiler says it holds.
// Seed it with the small texts and the real ones, e.g.
//   build-fuzz/bin/fuzz_typ_text NEW_CORPUS tests/data/typ ../shared/typ/texts -max_total_time=300
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "typfile/binary_reader.h"
#include "typfile/text_compile.h"

using namespace kestrel::typ;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const CompiledText compiled = compileText(text, {}, DateTime{});
    if (compiled.error) {
        if (!compiled.bytes.empty()) std::abort(); // refused: nothing made
        return 0;
    }
    const BinaryRead read = readBinary(compiled.bytes);
    if (read.refusal || !read.notes.empty()) std::abort();
    // The model keeps what the text says (a border width on a line without a border colour, an
    // icon as given); the file holds what the format stores: the lists and the identity compare.
    const TypFile& back = read.typ;
    const TypFile& made = compiled.typ;
    if (back.polygons.size() != made.polygons.size() || back.lines.size() != made.lines.size() ||
        back.points.size() != made.points.size() || back.iconSets.size() != made.iconSets.size() ||
        back.identity != made.identity || back.drawOrder != made.drawOrder)
        std::abort();
    return 0;
}
