#include "mapread/complete_scan.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <numeric>
#include <optional>
#include <string>
#include <thread>
#include <utility>

#include "base/platform/platform.h"
#include "base/stop_port.h"
#include "mapread/img_directory.h"
#include "mapread/rgn_extended_decoder.h"
#include "mapread/rgn_object_decoder.h"
#include "mapread/tile_pass.h"
#include "mapread/tre_levels.h"

namespace kestrel {
namespace {

// A tile whose bytes span more than this is read through the mapping instead.
constexpr std::int64_t kTileBytesUpTo = std::int64_t(256) << 20;

// Counts each record at the zoom of the subdivision that owns it.
class TallySink final : public RecordSink {
  public:
    TallySink(TypeTally& tally, const TreLevels& tre) : tally_(tally), tre_(tre) {}
    bool wants(const Subdivision*) const override { return true; }
    void take(const RecordRun& run) override {
        const unsigned level = run.owner ? tre_.levels[run.owner->level].zoom : kUnknownLevel;
        tally_.add(run.kind, level, run.records, [](const RgnRecord& r) { return r.code; });
    }

  private:
    TypeTally& tally_;
    const TreLevels& tre_;
};

// The bytes of the file a tile's subfiles lie in: from the first to past the last; empty when
// none lies inside the file.
ByteRange bytesOf(const ImgTile& tile, std::int64_t fileSize) {
    std::int64_t first = fileSize, end = 0;
    for (const ImgSubfile* s : {&tile.tre, &tile.rgn, &tile.gmp})
        for (const ByteRange& r : s->ranges) {
            if (r.length <= 0 || r.offset < 0 || r.offset >= fileSize) continue;
            first = std::min(first, r.offset);
            end = std::max(end, std::min(fileSize, r.offset + r.length));
        }
    return first < end ? ByteRange{first, end - first} : ByteRange{0, 0};
}

// One tile's share of the result.
struct TileResult {
    bool decoded = false;
    bool stopped = false; // the user asked to stop meanwhile
    TypeTally::Lists kinds;
    std::vector<DecodeNote> notes;
};

class TileDecoder {
  public:
    explicit TileDecoder(UiPort& ui) : ui_(ui) {}

    // Decodes the tile from `bytes`, which hold the file from `base` on.
    TileResult decode(const ImgTile& tile, const MapBuffer& bytes, std::int64_t base) {
        tally_.clear();
        TileResult r;
        r.decoded = true;
        const auto note = [&](const SubfileView& view, const char* subfile,
                              const std::optional<SubfileStop>& stop) {
            if (!stop) return;
            const std::int64_t at = view.fileOffset(stop->at);
            r.notes.push_back({stop->why, tile.name, subfile, at < 0 ? -1 : at + base});
        };
        const TileHeaders h = TileHeaders::of(bytes, tile, base);
        const TreLevels tre = TreLevels::read(h.tre, h.treHeader);
        note(h.tre, h.treName, tre.stop);
        if (levelsUsable(tre)) {
            TallySink sink(tally_, tre);
            note(h.rgn, h.rgnName, RgnObjectDecoder(h.rgn, h.rgnHeader).decode(tre, sink, ui_));
            const RgnExtendedDecoder extended(h.rgn, h.rgnHeader);
            for (ObjectKind kind : kKinds)
                if (!ui_.stopflag()) note(h.rgn, h.rgnName, extended.decode(kind, tre, sink, ui_));
        }
        r.kinds = tally_.lists();
        r.stopped = ui_.stopflag();
        return r;
    }

  private:
    UiPort& ui_;
    TypeTally tally_; // reused from tile to tile
};

std::int64_t endOf(ByteRange r) {
    return r.offset + r.length;
}

// The tiles read front to back in one pass over the file, and what is done with them.
struct Pass {
    const MapBuffer& buf;
    const ImgDirectory& dir;
    const std::vector<ByteRange>& spans;   // of every tile
    const std::vector<std::size_t>& tiles; // the pass's, in file order
    std::size_t largest;                   // bytes of the largest
    bool searching;                        // for the signatures
    std::vector<TileResult>& results;
};

// Hands out the pass's tiles in file order to the threads that read them: each thread starts
// with a tile of its own (the first thread with the first tile, where a stop that comes at once
// ends the scan), then takes the next tile when it is free. So one thread that starts late, or
// a tile that takes longer, does not keep the other waiting at the end. The bytes after the last
// tile go to the thread that runs out of tiles first.
class TileQueue {
  public:
    explicit TileQueue(std::size_t threads) : next_(threads) {}
    std::size_t take() { return next_.fetch_add(1); }
    bool takeTheRest() { return !restTaken_.exchange(true); }

  private:
    std::atomic<std::size_t> next_;
    std::atomic<bool> restTaken_ = false;
};

// What one thread found in its share of the pass.
struct Finds {
    Signatures inTiles; // in its tiles and the bytes before them
    // In the bytes after the last tile, where this thread searched them.
    std::optional<Signatures> after;
};

// The signatures in the bytes after the pass's last tile, read through the pass.
Signatures searchAfter(const Pass& p, TilePass& pass) {
    const std::int64_t end = p.tiles.empty() ? 0 : endOf(p.spans[p.tiles.back()]);
    SignatureSearch rest(p.buf.key(), SignatureSearch::Lanes::Widest, end);
    pass.jumpTo(end, &rest);
    pass.finish();
    return rest.found();
}

// Reads and decodes the pass's tiles from `first` on, as the queue hands them out: each comes
// with the bytes before it, back to the end of the pass's tile before it, and until the thread's
// finds hold all three signatures, all of them go to a search of their own, whose finds are
// merged in (a thread's tiles come in file order, so its first finds are its earliest).
// `between` runs after each tile. The bytes after the last tile are searched too, when the
// thread takes them and its finds are not complete (else neither are the merged ones) and the
// user did not stop.
template <class Between>
Finds takeTiles(const Pass& p, std::size_t first, TileQueue& queue, UiPort& ui, Between between) {
    Finds finds;
    Signatures& found = finds.inTiles;
    TilePass pass(p.buf, p.largest);
    TileDecoder decoder(ui);
    for (std::size_t k = first; k < p.tiles.size(); k = queue.take()) {
        if (ui.stopflag()) break;
        const std::size_t i = p.tiles[k];
        const std::int64_t from = k == 0 ? 0 : endOf(p.spans[p.tiles[k - 1]]);
        SignatureSearch search(p.buf.key(), SignatureSearch::Lanes::Widest, from);
        pass.jumpTo(from, p.searching && !found.complete() ? &search : nullptr);
        const MapBuffer bytes = pass.read(p.spans[i]);
        p.results[i] = decoder.decode(p.dir.tiles[i], bytes, p.spans[i].offset);
        pass.searchSeam();
        found = earliest(found, search.found());
        between();
    }
    if (queue.takeTheRest() && p.searching && !found.complete() && !ui.stopflag())
        finds.after = searchAfter(p, pass);
    return finds;
}

// The tiles on two threads, each with its own copy and decoder: two copies from the file's cache
// run at once, and each thread's bytes stay in its own processor's cache.
Finds onTwoThreads(const Pass& p, UiPort& ui) {
    std::atomic<bool> stop = false;
    std::mutex m;
    std::condition_variable cv;
    bool done = false;
    StopPort port(stop);
    TileQueue queue(2);
    Finds there;
    std::thread other = platform::threadBeside([&] {
        there = takeTiles(p, 1, queue, port, [] {});
        const std::lock_guard lock(m);
        done = true;
        cv.notify_one();
    });
    const auto passStop = [&] {
        if (ui.stopflag()) stop = true;
    };
    Finds here = takeTiles(p, 0, queue, ui, [&] {
        ui.yield();
        passStop();
    });
    // The window stays answerable, and a stop reaches the other thread, until it is done.
    for (std::unique_lock lock(m);
         !cv.wait_for(lock, std::chrono::milliseconds(2), [&] { return done; });) {
        lock.unlock();
        ui.yieldNow();
        passStop();
        lock.lock();
    }
    other.join();
    return {earliest(here.inTiles, there.inTiles), here.after ? here.after : there.after};
}

} // namespace

CompleteResult CompleteScan::run(const MapBuffer& buf, UiPort& ui, SignatureSearch* search) {
    CompleteResult result;
    ImgDirectory dir = ImgDirectory::read(buf);
    result.notes = std::move(dir.notes);
    std::vector<TileResult> tiles(dir.tiles.size());
    // Tiles of a file in the order of their bytes in it; one whose bytes begin before the previous
    // one's end, or span too much, is decoded through the mapping afterwards, as are the tiles
    // of bytes already in memory.
    std::vector<std::size_t> order(dir.tiles.size());
    std::iota(order.begin(), order.end(), 0);
    std::vector<ByteRange> spans;
    for (const ImgTile& tile : dir.tiles) spans.push_back(bytesOf(tile, buf.size()));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return spans[a].offset < spans[b].offset;
    });
    std::vector<std::size_t> inPass, later;
    std::int64_t passed = 0;
    std::size_t largest = 0;
    for (std::size_t i : order) {
        const ByteRange span = spans[i];
        if (!buf.mapped() || span.offset < passed || span.length > kTileBytesUpTo) {
            later.push_back(i);
        } else {
            inPass.push_back(i);
            passed = span.offset + span.length;
            largest = std::max(largest, static_cast<std::size_t>(span.length));
        }
    }
    if (buf.mapped()) {
        const Pass pass{buf, dir, spans, inPass, largest, search != nullptr, tiles};
        TileQueue queue(1);
        const Finds finds = inPass.size() >= 2 && std::thread::hardware_concurrency() > 1
                                ? onTwoThreads(pass, ui)
                                : takeTiles(pass, 0, queue, ui, [&ui] { ui.yield(); });
        Signatures found = finds.inTiles;
        // The bytes after the last tile, where the finds so far lack a signature.
        if (search && !found.complete()) {
            TilePass tail(buf, 0);
            found = earliest(found, finds.after ? *finds.after : searchAfter(pass, tail));
        }
        if (search) search->merge(found);
    } else if (search) {
        search->feed(buf.stored(0, buf.size()));
    }
    TileDecoder decoder(ui);
    for (std::size_t i : later)
        if (!ui.stopflag()) tiles[i] = decoder.decode(dir.tiles[i], buf, 0);

    // The tiles' shares, in directory order; an NT tile that could not be decoded adds nothing
    // but one note for the file.
    TypeTally tally;
    for (std::size_t i = 0; i < tiles.size(); ++i) {
        TileResult& t = tiles[i];
        // Only the user's stop leaves a tile undecoded: what another thread decoded after it
        // is not the map's whole either.
        if (!t.decoded) break;
        if (dir.tiles[i].nt() && !t.stopped && !t.notes.empty()) {
            if (!result.ntFallback) result.notes.push_back({DecodeStop::NtFallback, "", "", -1});
            result.ntFallback = true;
            continue;
        }
        result.notes.insert(result.notes.end(), t.notes.begin(), t.notes.end());
        tally.merge(t.kinds);
        // The tiles after the one the user stopped in: not the map's whole (two threads may
        // have decoded some of them meanwhile).
        if (t.stopped) break;
    }
    for (ObjectKind kind : kKinds) result.kinds[static_cast<std::size_t>(kind)] = tally.list(kind);
    return result;
}

} // namespace kestrel
