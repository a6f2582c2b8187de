#include "maptyp/put_typ.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <utility>
#include <variant>

#include "base/byte_reader.h"
#include "base/paths.h"
#include "base/platform/platform.h"
#include "base/text.h"
#include "imgfs/img_layout.h"
#include "imgfs/img_writer.h"
#include "maptyp/map_file.h"
#include "typfile/typ_header.h"

namespace kestrel::maptyp {
namespace {

PutTypResult failed(PutTypStatus status) {
    PutTypResult r;
    r.status = status;
    return r;
}

// The TYP file's bytes, or why there are none.
std::variant<std::string, PutTypResult> readTyp(const std::string& path) {
    if (auto why = checkMapFile(path)) {
        if (why->reason == UnreadableReason::NoMapData) return failed(PutTypStatus::NotATyp);
        PutTypResult r = failed(PutTypStatus::TypUnreadable);
        r.unreadable = std::move(why);
        return r;
    }
    if (fileSize(path).value_or(0) > kMaxTypBytes) return failed(PutTypStatus::TypTooLarge);
    auto bytes = readFile(path, kMaxTypBytes);
    if (!bytes) {
        PutTypResult r = failed(PutTypStatus::TypUnreadable);
        r.unreadable =
            Unreadable{UnreadableReason::SystemError, std::generic_category().message(EIO)};
        return r;
    }
    if (!typ::hdr::readIdentity(byteSpan(*bytes))) return failed(PutTypStatus::NotATyp);
    return std::move(*bytes);
}

// The subfile the TYP goes into: the map's only TYP, or its one TYP of the family; a new one when
// it has none. Nothing when that cannot be told.
std::optional<std::string> subfileFor(const MapFile& map, const std::string& typPath,
                                      std::uint16_t familyId) {
    const std::vector<TypInMap> typs = map.typs();
    if (typs.empty()) return typSubfileName(typPath);
    if (typs.size() == 1) return typs.front().subfile->name;
    std::vector<const TypInMap*> ofFamily;
    for (const TypInMap& t : typs)
        if (t.identity && t.identity->familyId == familyId) ofFamily.push_back(&t);
    if (ofFamily.size() != 1) return std::nullopt;
    return ofFamily.front()->subfile->name;
}

} // namespace

std::string typSubfileName(const std::string& typPath) {
    return padTo(img::kNameBytes, tamed(ucase(baseName(typPath).substr(0, img::kNameBytes))));
}

PutTypResult putTyp(const PutTypRequest& request, UiPort& ui) {
    ui.setStopflag(false);
    if (sameFile(request.out, request.map) || sameFile(request.out, request.typ))
        return failed(PutTypStatus::OutputIsInput);
    auto opened = MapFile::open(request.map);
    if (auto* fault = std::get_if<MapFault>(&opened)) {
        PutTypResult r =
            failed(fault->unreadable ? PutTypStatus::MapUnreadable : PutTypStatus::NotAContainer);
        r.unreadable = fault->unreadable;
        return r;
    }
    const MapFile& map = std::get<MapFile>(opened);
    if (!map.directory().sound()) {
        PutTypResult r = failed(PutTypStatus::DirectoryDamaged);
        r.problem = map.directory().problems.front();
        return r;
    }
    auto typBytes = readTyp(request.typ);
    if (auto* r = std::get_if<PutTypResult>(&typBytes)) return std::move(*r);
    img::NewSubfile added{{}, "TYP", std::move(std::get<std::string>(typBytes))};
    typ::Identity identity = *typ::hdr::readIdentity(byteSpan(added.bytes));
    if (!request.keepIds) {
        const MapFamily family = map.family();
        const auto sole = family.sole();
        if (!sole) {
            PutTypResult r = failed(family.products.empty() ? PutTypStatus::FamilyUnknown
                                                            : PutTypStatus::SeveralFamilies);
            r.families = family.familyIds();
            return r;
        }
        identity.familyId = sole->familyId;
        identity.productId = sole->product;
        typ::hdr::setIdentity(byteSpan(added.bytes), identity);
    }
    const auto name = subfileFor(map, request.typ, identity.familyId);
    if (!name) {
        PutTypResult r = failed(PutTypStatus::TypChoiceUnclear);
        r.identity = identity;
        return r;
    }
    added.name = *name;
    const auto planned = img::planContainer(map.bytes(), map.directory(), added);
    if (!std::holds_alternative<img::ContainerLayout>(planned))
        return failed(PutTypStatus::MapTooLarge);
    const auto& layout = std::get<img::ContainerLayout>(planned);

    PutTypResult r;
    std::FILE* in = platform::openFile(request.map, "rb");
    if (!in) {
        r = failed(PutTypStatus::MapUnreadable);
        r.unreadable =
            Unreadable{UnreadableReason::SystemError, std::generic_category().message(errno)};
        return r;
    }
    ui.busy(true);
    r.failure = replaceFileWith(request.out, [&](FileSink& sink) {
        return img::writeContainer(layout, added, in, map.bytes().key(), sink, ui);
    });
    ui.busy(false);
    std::fclose(in);
    if (r.failure) {
        r.status = PutTypStatus::WriteFailed;
        return r;
    }
    r.typName = img::fileName(added.name, added.type);
    r.replaced = layout.replaced;
    r.unmasked = map.masked();
    r.identity = identity;
    r.bytes = layout.fileSize;
    return r;
}

} // namespace kestrel::maptyp
