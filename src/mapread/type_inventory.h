#pragma once
// The single result of reading maps: per kind the ordered list of entry texts found since the
// last reset, with the duplicate guards and the polygon level record.
#include <array>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace kestrel {

enum Kind : int { kPolygons = 0, kLines = 1, kPois = 2 };

// A duplicate guard. A code counts as present when it was added before, compared upper-cased
// (the program's "#" + code + "#" substring test on a string of codes).
class CodeGuard {
  public:
    bool has(std::string_view code) const;
    void add(std::string_view code);
    void clear() { codes_.clear(); }
    std::size_t size() const { return codes_.size(); }

  private:
    std::unordered_set<std::string> codes_;
};

class TypeInventory {
  public:
    std::vector<std::string>& list(int kind) { return lists_[static_cast<std::size_t>(kind)]; }
    const std::vector<std::string>& list(int kind) const {
        return lists_[static_cast<std::size_t>(kind)];
    }

    // Empties the lists and `levellist`, the guards and the level record.
    void reset();
    // "Polygons:12", "Lines:0", "POIs:3" (`showtots`).
    std::string caption(int kind) const;

    CodeGuard seenpoly; // kind 0, extended codes and "0x"-prefixed standard polygon codes
    CodeGuard seenline; // kind 1, extended codes
    CodeGuard seenpoi;  // kind 2, extended codes of the TRE overview
    CodeGuard extpois;  // the RGN extended point scan's own guard
    CodeGuard ovlines;  // standard line codes of the line overview and the Highways+ defaults

    std::vector<std::string> levellist; // one line per polygon entry: entry + " #" + level
    std::string polylevels;             // distinct polygon levels, Hex, in order of first sight
    int maxlevel = 0;

  private:
    std::array<std::vector<std::string>, 3> lists_;
};

} // namespace kestrel
