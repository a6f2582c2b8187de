#pragma once
// Reads one map file after another into the inventory: `loadbinary` brings a file into
// the working buffer, `get_dataTRE` finds its subfiles and runs the overview scans, the RGN
// scans and the labelling.
#include <string>

#include "mapread/complete_scan.h"
#include "mapread/label_index.h"
#include "mapread/map_buffer.h"
#include "mapread/map_read_context.h"

namespace kestrel {

// Every read but the last of a big file took this many bytes; files of two such pieces or more
// are reported as too big (and still read whole).
inline constexpr std::uint64_t kPieceSize = 48'673'404;

class MapReader {
  public:
    explicit MapReader(const MapReadContext& context)
        : c_(context), ui_(context.ui), labels_(context.styletxt) {}

    // `loadbinary`: `name` is the file as the batch names it (lower-cased on File > Open: the
    // ".gmp" tests and the captions use it); `realPath` is the file opened. k is the position in
    // the batch; k = 0 also reads the family's TDB file. A file that cannot be read joins the
    // batch's unreadable maps, as does one without map data (found by `get_dataTRE`).
    void loadbinary(const std::string& name, const std::string& realPath, int k);
    // `get_dataTRE`: everything after loading, for the file at position k.
    void get_dataTRE(int k);

    const MapBuffer& buffer() const { return buf_; }
    // Takes over bytes already in memory as the current file (the fuzzer).
    void setBuffer(const std::string& name, MapBuffer buf);

  private:
    // `complete`: the complete scan's result, when it is on.
    void readTre(const CompleteResult* complete);
    void closing();

    MapReadContext c_;
    UiPort& ui_;
    LabelTables labels_; // indexed once for all files of the batch
    MapBuffer buf_;
    std::string path_; // the file in the buffer, as opened
};

} // namespace kestrel
