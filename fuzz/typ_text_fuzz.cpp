// Any bytes as a TYP source text: compiling must not crash, hang or grow without bound. A text
// that compiles gives a file the binary reader takes without a note and reads back as what the
// compiler says it holds.
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
    if (read.refusal || !read.notes.empty() || read.typ != compiled.typ) std::abort();
    return 0;
}
