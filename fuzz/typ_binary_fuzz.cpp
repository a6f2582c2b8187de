// Any bytes as a binary TYP: reading must not crash or read outside them. What was read is written
// in mkgmap's layout; that file must read back without a note and write again byte for byte.
// Seed it with mkgmap's files and the numbered ones, e.g.
//   build-fuzz/bin/fuzz_typ_binary NEW_CORPUS fuzz/corpus/typ_binary tests/data/typ \
//     tests/data/golden -max_total_time=300
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "typfile/binary_reader.h"
#include "typfile/binary_writer.h"

using namespace kestrel::typ;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BinaryRead first = readBinary(std::span<const std::uint8_t>(data, size));
    if (first.refusal) return 0;
    const BinaryWrite written = writeBinary(first.typ, first.created);
    // A model the format cannot hold (a code past 16 bits from a 3-byte icon key, labels a code
    // page without a table cannot write back) is refused or loses labels, as it should.
    if (written.error || !written.droppedLabels.empty()) return 0;
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
