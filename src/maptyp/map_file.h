#pragma once
// A map file opened for the TYP files inside it: mapped (never loaded whole), its IMG directory
// read, its TYP subfiles and family found.
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "base/files.h"
#include "imgfs/img_directory.h"
#include "mapread/map_buffer.h"
#include "maptyp/map_family.h"
#include "typfile/typ_file.h"

namespace kestrel::maptyp {

struct TypInMap {
    const img::Subfile* subfile = nullptr;
    std::optional<typ::Identity> identity; // nothing when its header is not a TYP header
};

// A name to save a subfile under: its name and type ("I2023100.TYP") with every character but
// letters, digits, '_' and '-' made '_' ("UNNAMED.TYP" for a blank name).
std::string safeFileName(const img::Subfile& subfile);

// Why a file gave no directory: unreadable, or no IMG container.
struct MapFault {
    std::optional<Unreadable> unreadable; // nothing: the file is no IMG container
};

class MapFile {
  public:
    static std::variant<MapFile, MapFault> open(const std::string& path);

    const std::string& path() const { return path_; }
    img::MaskedBytes bytes() const { return {buf_.stored(0, buf_.size()), buf_.key()}; }
    const img::Directory& directory() const { return dir_; }
    bool masked() const { return buf_.key() != 0; }
    MapFamily family() const { return mapFamily(path_, bytes(), dir_); }
    // The TYP subfiles, in directory order.
    std::vector<TypInMap> typs() const;
    // Writes the subfile's bytes to the file at `out` (replaced whole; see replaceFileWith).
    std::optional<WriteFailure> extract(const img::Subfile& subfile, const std::string& out) const;

  private:
    std::string path_;
    MapBuffer buf_;
    img::Directory dir_;
};

} // namespace kestrel::maptyp
