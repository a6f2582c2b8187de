#pragma once
// The binary TYP files the tests read: mkgmap's compilations (the committed small texts' and,
// when the shared folder is there, the real texts'), and kestrel's numbered files.
#include <string>
#include <vector>

namespace kestrel::test {

struct TypSample {
    std::string name;
    std::string bytes;
};

// tests/data/typ/*.typ, then ../shared/typ/texts/*.mkgmap.typ and binaries/contours.typ (a
// compilation by mkgmap as well) when present.
std::vector<TypSample> mkgmapTypFiles();
// The numbered generators' golden files tests/data/golden/gen_*.out.typ.
std::vector<TypSample> numberedTypFiles();
// A file of the shared folder, empty when it is absent.
std::string sharedTypFile(const std::string& relative);
std::string typDataFile(const std::string& name);

} // namespace kestrel::test
