// Any bytes as an IMG container: its directory read, and, when it is sound, a new container
// written from it with a TYP put in. No crash, no read outside the bytes, no hang; every run of a
// subfile lies inside the file and no two overlap; a written container reads back sound, with
// every old subfile's bytes unchanged and the TYP's as given.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "base/files.h"
#include "imgfs/img_writer.h"
#include "support/fake_ui.h"

namespace {

using namespace kestrel;

// The fuzzer's own bound on what it writes; hostile block sizes pad small maps a long way.
constexpr std::uint64_t kMaxWritten = std::uint64_t(16) << 20;

std::string contentOf(std::FILE* f) {
    std::string s;
    std::rewind(f);
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) s.append(chunk, n);
    return s;
}

void checkRuns(const img::Directory& dir, std::int64_t size) {
    std::map<std::int64_t, std::int64_t> taken; // start to end of every run
    for (const img::Subfile& s : dir.subfiles)
        for (const img::ByteRun& r : s.runs) {
            if (r.offset < 0 || r.length <= 0 || r.offset + r.length > size) std::abort();
            if (!taken.emplace(r.offset, r.offset + r.length).second) std::abort();
        }
    std::int64_t end = 0;
    for (const auto& [start, stop] : taken) {
        if (start < end) std::abort();
        end = stop;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const img::MaskedBytes old = img::MaskedBytes::ofFile({data, size});
    const img::Directory dir = img::Directory::read(old);
    checkRuns(dir, static_cast<std::int64_t>(size));
    if (!dir.sound()) return 0;
    // A new TYP, or one in place of the first subfile: its name and type taken over.
    const bool replace = size % 3 == 0 && !dir.subfiles.empty();
    const img::NewSubfile typ{replace ? dir.subfiles[0].name : "00000NEW",
                              replace ? dir.subfiles[0].type : "TYP",
                              std::string(size % 1000, 'T')};
    const auto planned = img::planContainer(old, dir, typ);
    if (!std::holds_alternative<img::ContainerLayout>(planned)) return 0;
    const auto& layout = std::get<img::ContainerLayout>(planned);
    if (layout.fileSize > kMaxWritten) return 0;
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    if (!in || !out || std::fwrite(data, 1, size, in) != size || std::fflush(in) != 0) std::abort();
    test::FakeUi ui;
    FileSink sink(out);
    if (!img::writeContainer(layout, typ, in, old.key(), sink, ui) || std::fflush(out) != 0)
        std::abort();
    const std::string written = contentOf(out);
    std::fclose(in);
    std::fclose(out);
    const img::MaskedBytes now = img::MaskedBytes::ofFile(
        {reinterpret_cast<const std::uint8_t*>(written.data()), written.size()});
    const img::Directory after = img::Directory::read(now);
    if (!after.sound() || written.size() != layout.fileSize) std::abort();
    // The old subfiles in their order, the TYP in the old one's place or after them.
    std::vector<const img::Subfile*> expected;
    for (const img::Subfile& s : dir.subfiles) expected.push_back(&s);
    if (!layout.replaced) expected.push_back(nullptr);
    if (after.subfiles.size() != expected.size()) std::abort();
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const img::Subfile& s = after.subfiles[k];
        const bool isTyp = s.name == typ.name && s.type == typ.type;
        if (isTyp !=
            (!expected[k] || (expected[k]->name == typ.name && expected[k]->type == typ.type)))
            std::abort();
        if (now.gather(s.runs) != (isTyp ? typ.bytes : old.gather(expected[k]->runs))) std::abort();
        if (!isTyp && s.name + s.type != expected[k]->name + expected[k]->type) std::abort();
    }
    return 0;
}
