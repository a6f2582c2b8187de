#include "mapread/complete_scan.h"

#include "mapread/img_directory.h"
#include "mapread/rgn_extended_decoder.h"
#include "mapread/rgn_object_decoder.h"
#include "mapread/tre_levels.h"

namespace kestrel {
namespace {

// Counts each record at the zoom of the subdivision that owns it.
class TallySink final : public RecordSink {
  public:
    TallySink(TypeTally& tally, const TreLevels& tre) : tally_(tally), tre_(tre) {}
    bool wants(const Subdivision*) const override { return true; }
    void take(const RgnRecord& r) override {
        tally_.add(r.kind, r.code, r.owner ? tre_.levels[r.owner->level].zoom : kUnknownLevel);
    }

  private:
    TypeTally& tally_;
    const TreLevels& tre_;
};

class TileDecoder {
  public:
    TileDecoder(const MapBuffer& buf, UiPort& ui, CompleteResult& result)
        : buf_(buf), ui_(ui), result_(result) {}

    // Decodes one tile into its own tally, then adds it to the file's, unless it is an NT tile
    // that could not be decoded.
    void decode(const ImgTile& tile) {
        tileTally_.clear();
        const std::size_t notesBefore = result_.notes.size();
        const TileHeaders h = TileHeaders::of(buf_, tile);
        const TreLevels tre = TreLevels::read(h.tre, h.treHeader);
        note(tile, h.tre, h.treName, tre.stop);
        if (levelsUsable(tre)) {
            TallySink sink(tileTally_, tre);
            note(tile, h.rgn, h.rgnName,
                 RgnObjectDecoder(h.rgn, h.rgnHeader).decode(tre, sink, ui_));
            const RgnExtendedDecoder extended(h.rgn, h.rgnHeader);
            for (ObjectKind kind : kKinds)
                if (!ui_.stopflag())
                    note(tile, h.rgn, h.rgnName, extended.decode(kind, tre, sink, ui_));
        }
        if (tile.nt() && !ui_.stopflag() && result_.notes.size() > notesBefore) {
            result_.notes.resize(notesBefore);
            if (!result_.ntFallback) result_.notes.push_back({DecodeStop::NtFallback, "", "", -1});
            result_.ntFallback = true;
            return;
        }
        tally_.merge(tileTally_);
    }

    void finish() {
        for (ObjectKind kind : kKinds)
            result_.kinds[static_cast<std::size_t>(kind)] = tally_.list(kind);
    }

  private:
    void note(const ImgTile& tile, const SubfileView& view, const char* subfile,
              const std::optional<SubfileStop>& stop) {
        if (stop)
            result_.notes.push_back({stop->why, tile.name, subfile, view.fileOffset(stop->at)});
    }

    const MapBuffer& buf_;
    UiPort& ui_;
    CompleteResult& result_;
    TypeTally tally_;
    TypeTally tileTally_;
};

} // namespace

CompleteResult CompleteScan::run(const MapBuffer& buf, UiPort& ui) {
    CompleteResult result;
    ImgDirectory dir = ImgDirectory::read(buf);
    result.notes = std::move(dir.notes);
    TileDecoder decoder(buf, ui, result);
    for (const ImgTile& tile : dir.tiles) {
        decoder.decode(tile);
        if (ui.stopflag()) break;
    }
    decoder.finish();
    return result;
}

} // namespace kestrel
