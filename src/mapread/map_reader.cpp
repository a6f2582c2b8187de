#include "mapread/map_reader.h"

#include <exception>
#include <optional>
#include <string>

#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "mapread/complete_inventory.h"
#include "mapread/garmin_content.h"
#include "mapread/match.h"
#include "mapread/messages.h"
#include "mapread/rgn_extended_scan.h"
#include "mapread/rgn_point_scan.h"
#include "mapread/tdb_header.h"
#include "mapread/tre_header.h"
#include "mapread/tre_overview.h"

namespace kestrel {
namespace {

constexpr std::int64_t kSignatureLead = 2; // the header length field before each signature

// Runs one step of a read; a failure is logged and the read goes on with the next step.
template <class Step> void guarded(ErrorLog& log, Step&& step) {
    try {
        step();
    } catch (const std::exception& e) {
        log.append("TRE", e.what());
    }
}

// The program's Str(): a blank before a non-negative number.
std::string str(std::int64_t v) {
    const std::string digits = std::to_string(v);
    return v >= 0 ? " " + digits : digits;
}

} // namespace

void MapReader::loadbinary(const std::string& name, const std::string& realPath, int k) {
    ui_.setStopflag(false);
    buf_.clear();
    c_.errors.clear();
    c_.map.mapfile = name;
    c_.map.mapFolder = folderOf(realPath, "");
    c_.map.container.name = name;
    ui_.busy(true);
    path_ = realPath;
    if (const auto why = buf_.open(realPath)) {
        c_.map.unreadable.push_back({realPath, *why});
        return;
    }
    // A large file whose first megabyte shows no map is not read on: its bytes are never touched.
    constexpr auto kHead = static_cast<std::int64_t>(kGarminHeadSize);
    if (buf_.size() > kHead && garminContent(buf_.stored(0, kHead)) != GarminContent::Map) {
        buf_.clear();
        c_.map.unreadable.push_back({realPath, {UnreadableReason::NoMapData, {}}});
        return;
    }
    std::uint64_t pieces = static_cast<std::uint64_t>(buf_.size()) / kPieceSize;
    if (pieces > 1) {
        ui_.message(std::string(msg::kFileTooBig));
        pieces = 1;
    }
    if (pieces == 0) pieces = 1;
    for (std::uint64_t i = 0; i <= pieces; ++i) {
        ui_.yield();
        if (k == 0) ui_.progress(5.0f + 5.0f * static_cast<float>(i + 1) / (pieces + 1));
    }
    if (ui_.stopflag()) {
        buf_.clear();
        return;
    }
    if (k == 0 && !contains(name, "gmp"))
        loadtdb(c_.map.fields, ui_, realPath, c_.options.sampleMap);
}

void MapReader::setBuffer(const std::string& name, MapBuffer buf) {
    c_.map.mapfile = name;
    c_.map.container.name = name;
    path_ = name;
    buf_ = std::move(buf);
}

void MapReader::get_dataTRE(int k) {
    if (buf_.empty()) return;
    MapContainer& map = c_.map.container;
    map.key = buf_.rawFirstByte();
    ui_.busy(true);
    if (map.key != 0 && !contains(map.name, ".gmp")) {
        buf_.setKey(map.key);
        if (c_.options.dumpflag)
            guarded(c_.errors, [&] {
                if (!buf_.dumpUnmasked(c_.options.dumpFile, ui_))
                    c_.errors.append("DUMP", "cannot write " + c_.options.dumpFile);
            });
    }
    // The complete scan reads the whole file anyway: the search rides along.
    std::optional<CompleteResult> complete;
    Signatures sig;
    if (c_.options.complete) {
        SignatureSearch search(buf_.key());
        complete = CompleteScan::run(buf_, ui_, &search);
        sig = search.found();
    } else {
        sig = buf_.findSignatures(ui_);
    }
    if (sig.rgn < 0 || sig.tre < 0)
        c_.map.unreadable.push_back({path_, {UnreadableReason::NoMapData, {}}});
    map.rgnStart = sig.rgn >= 0 ? sig.rgn - kSignatureLead : -3;
    map.gmpStart = -1;
    map.gmpFound = false;
    if (sig.rgn < 0 && k == 0) {
        if (!c_.options.unreadableNamed) ui_.message(std::string(msg::kNoInformation));
        ui_.progress(1);
        closing();
        return;
    }
    if (sig.gmp >= 0 || contains(lcase(map.name), ".gmp")) {
        c_.map.fields.ntMarker = true;
        if (!c_.options.highways && !c_.map.fields.highwaysHintShown) {
            ui_.message(std::string(msg::kHighwaysHint));
            c_.map.fields.highwaysHintShown = true;
        }
        if (sig.gmp >= 0) {
            map.gmpStart = sig.gmp - kSignatureLead;
            map.gmpFound = true;
        }
    }
    if (sig.tre < 0) {
        ui_.progress(1);
        closing();
        return;
    }
    map.treStart = sig.tre - kSignatureLead;
    ++map.filesRead;
    readTre(complete ? &*complete : nullptr);
    closing();
}

void MapReader::readTre(const CompleteResult* complete) {
    const MapContainer& map = c_.map.container;
    TypeInventory& inv = c_.map.inventory;
    const TreHeader h = TreHeader::read(buf_, map.treStart, map.treBase());
    c_.map.fields.mapIdLabel = "ID:" + str(h.mapId);
    if (complete && readComplete(buf_, h, *complete, inv, ui_)) {
        for (int slot : {0, 1, 2, 3, 4, 5}) match(inv, labels_, slot, c_.errors);
        return;
    }
    guarded(c_.errors, [&] { scanLineOverview(buf_, h.lines, inv, ui_); });
    if (c_.options.highways) guarded(c_.errors, [&] { addHighwayDefaults(inv); });
    if (ui_.stopflag()) return;
    guarded(c_.errors, [&] { scanPolygonOverview(buf_, h.polygons, inv, ui_); });
    for (int slot : {0, 1, 2}) match(inv, labels_, slot, c_.errors);
    guarded(c_.errors, [&] { scanExtendedOverview(buf_, h, inv, ui_); });
    RgnExtendedScan rgn(buf_, map, inv, ui_);
    guarded(c_.errors, [&] { rgn.getrgn_beyond(kPolygons); });
    guarded(c_.errors, [&] { rgn.getrgn_beyond(kLines); });
    guarded(c_.errors, [&] { RgnPointScan(buf_, map, inv, ui_).getpoi_extended(); });
    for (int slot : {2, 3, 4, 5}) match(inv, labels_, slot, c_.errors);
}

// The lists are shown again and their counts refreshed by whoever shows them.
void MapReader::closing() {
    ui_.busy(false);
}

} // namespace kestrel
