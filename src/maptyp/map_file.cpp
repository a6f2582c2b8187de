#include "maptyp/map_file.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>

#include "base/byte_reader.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "typfile/typ_header.h"

namespace kestrel::maptyp {

std::variant<MapFile, MapFault> MapFile::open(const std::string& path) {
    MapFile map;
    map.path_ = path;
    if (auto why = map.buf_.open(path)) return MapFault{std::move(why)};
    map.buf_.setKey(map.buf_.rawFirstByte());
    if (!img::Directory::isContainer(map.bytes())) return MapFault{};
    map.dir_ = img::Directory::read(map.bytes());
    return map;
}

std::vector<TypInMap> MapFile::typs() const {
    std::vector<TypInMap> found;
    for (const img::Subfile* s : dir_.ofType("TYP"))
        found.push_back(
            {s, typ::hdr::readIdentity(byteSpan(bytes().gather(s->runs, typ::hdr::kShortLength)))});
    return found;
}

std::optional<WriteFailure> MapFile::extract(const img::Subfile& subfile,
                                             const std::string& out) const {
    std::FILE* in = platform::openFile(path_, "rb");
    if (!in)
        return WriteFailure{WriteFailure::Kind::System, std::generic_category().message(errno)};
    auto failure = replaceFileWith(out, [&](FileSink& sink) {
        for (const img::ByteRun& run : subfile.runs)
            if (!sink.copy(in, static_cast<std::uint64_t>(run.offset),
                           static_cast<std::uint64_t>(run.length), buf_.key()))
                return false;
        return true;
    });
    std::fclose(in);
    return failure;
}

std::string safeFileName(const img::Subfile& subfile) {
    const std::string name = img::shortName(subfile.name);
    return concat({name.empty() ? "UNNAMED" : tamed(name, "_-"), ".", tamed(subfile.type)});
}

} // namespace kestrel::maptyp
