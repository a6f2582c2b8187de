// Any bytes as a binary TYP: reading must not crash or read outside them. What was read is written
// as a source text, which must be UTF-8 with CR LF line ends whatever the labels hold and, where
// the text writer notes no loss, compile back to what was read; and in mkgmap's layout, which
// must read back without a note and write again byte for byte.
// Seed it with mkgmap's files and the numbered ones, e.g.
//   build-fuzz/bin/fuzz_typ_binary NEW_CORPUS fuzz/corpus/typ_binary tests/data/typ \
//     tests/data/golden -max_total_time=300
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "base/code_page_text.h"
#include "base/utf8.h"
#include "typfile/binary_reader.h"
#include "typfile/binary_writer.h"
#include "typfile/text_compile.h"
#include "typfile/text_writer.h"

using namespace kestrel::typ;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BinaryRead first = readBinary(std::span<const std::uint8_t>(data, size));
    if (first.refusal) return 0;
    const TextWrite text = writeText(first.typ);
    if (!kestrel::isUtf8(text.text)) std::abort();
    for (std::size_t at = text.text.find_first_of("\r\n"); at != std::string::npos;
         at = text.text.find_first_of("\r\n", at + 2))
        if (text.text.compare(at, 2, "\r\n") != 0) std::abort();
    const BinaryWrite written = writeBinary(first.typ, first.created);
    // A model the format cannot hold (a code past 16 bits from a 3-byte icon key, labels a code
    // page without a table cannot write back) is refused or loses labels, as it should.
    if (written.error || !written.droppedLabels.empty()) return 0;
    const bool labelsExact =
        kestrel::hasCodePageTable(first.typ.identity.codePage) &&
        std::none_of(first.notes.begin(), first.notes.end(),
                     [](const ReadNote& n) { return n.problem == ReadProblem::LabelBytesInexact; });
    if (text.notes.empty() && labelsExact) {
        const CompiledText compiled = compileText(text.text, {}, first.created);
        if (compiled.error || compiled.typ != first.typ) std::abort();
    }
    const BinaryRead second = readBinary(written.bytes);
    if (second.refusal) std::abort();
    for (const ReadNote& n : second.notes)
        if (n.problem != ReadProblem::LabelBytesInexact) std::abort();
    if (second.typ.polygons.size() != first.typ.polygons.size() ||
        second.typ.lines.size() != first.typ.lines.size() ||
        second.typ.points.size() != first.typ.points.size() ||
        second.typ.iconSets.size() != first.typ.iconSets.size() ||
        second.typ.activeRoutes != first.typ.activeRoutes ||
        second.typ.drawOrder != first.typ.drawOrder || second.typ.identity != first.typ.identity)
        std::abort();
    const BinaryWrite again = writeBinary(second.typ, second.created);
    if (again.error || again.bytes != written.bytes) std::abort();
    return 0;
}
