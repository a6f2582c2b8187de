#pragma once
// Puts a TYP file into a map: writes a copy of the map with its TYP subfile replaced, or with the
// TYP added when it has none, the TYP's family ID and product set to the map's. The map itself is
// never changed; the copy is written whole beside its target and renamed over it.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/files.h"
#include "base/uiport.h"
#include "imgfs/img_directory.h"
#include "mapread/unreadable.h"
#include "typfile/typ_file.h"

namespace kestrel::maptyp {

struct PutTypRequest {
    std::string map;      // an .img map or gmapsupp.img
    std::string typ;      // a binary TYP file
    std::string out;      // the new map
    bool keepIds = false; // keep the TYP's own family ID and product
};

enum class PutTypStatus : std::uint8_t {
    Written,
    OutputIsInput,    // `out` names the map or the TYP
    MapUnreadable,    // `unreadable` says why
    NotAContainer,    // the map is no IMG container
    DirectoryDamaged, // `problem` is the first the directory has
    TypUnreadable,    // `unreadable` says why
    NotATyp,          // the TYP file has no TYP header
    TypTooLarge,      // more than kMaxTypBytes
    FamilyUnknown,    // the map names no family: no MPS subfile, no TDB file beside it
    SeveralFamilies,  // the map names several (`families`)
    TypChoiceUnclear, // several TYPs in the map, and not exactly one of the TYP's family
    MapTooLarge,      // no block size holds the new map
    WriteFailed,      // `failure` says why (Abandoned: the user asked to stop)
};

inline constexpr std::uint64_t kMaxTypBytes = std::uint64_t(64) << 20;

struct PutTypResult {
    PutTypStatus status = PutTypStatus::Written;
    std::optional<Unreadable> unreadable;
    img::Problem problem;
    std::vector<std::uint16_t> families;
    std::optional<WriteFailure> failure;
    // What was written.
    std::string typName;   // the TYP subfile, "I2023100.TYP"
    bool replaced = false; // it replaced the map's TYP (else it was added)
    bool unmasked = false; // the map was XOR-masked, the copy is not
    typ::Identity identity;
    std::uint64_t bytes = 0;
};

PutTypResult putTyp(const PutTypRequest& request, UiPort& ui);

// The name mkgmap gives a TYP file's subfile: its base name in capitals, cut to 8 characters or
// padded with '0' in front ("big.typ": "00000BIG"); characters other than letters and digits
// become '_'.
std::string typSubfileName(const std::string& typPath);

} // namespace kestrel::maptyp
