#include "typfile/typ_samples.h"

#include "base/files.h"
#include "base/paths.h"
#include "installed/folder_listing.h"

namespace kestrel::test {

namespace {

// The files of a folder that match the pattern, by name.
std::vector<TypSample> files(const std::string& folder, std::string_view pattern) {
    std::vector<TypSample> out;
    for (const std::string& name : installed::listFiles(folder, pattern))
        out.push_back({name, readFile(joinPath(folder, name)).value_or("")});
    return out;
}

} // namespace

std::vector<TypSample> mkgmapTypFiles() {
    std::vector<TypSample> out = files(KESTREL_TYP_DATA_DIR, "*.typ");
    for (TypSample& s : files(joinPath(KESTREL_SHARED_TYP_DIR, "texts"), "*.mkgmap.typ"))
        out.push_back(std::move(s));
    if (std::string c = sharedTypFile("binaries/contours.typ"); !c.empty())
        out.push_back({"contours.typ", std::move(c)});
    return out;
}

std::vector<TypSample> numberedTypFiles() {
    std::vector<TypSample> out;
    for (TypSample& s : files(KESTREL_GOLDEN_DIR, "gen_*.out.typ"))
        if (s.bytes.compare(2, 10, "GARMIN TYP") == 0) out.push_back(std::move(s));
    return out;
}

std::string sharedTypFile(const std::string& relative) {
    return readFile(joinPath(KESTREL_SHARED_TYP_DIR, relative)).value_or("");
}

std::string typDataFile(const std::string& name) {
    return readFile(joinPath(KESTREL_TYP_DATA_DIR, name)).value_or("");
}

} // namespace kestrel::test
