#pragma once
// The program's folders. A portable run (the program folder holds a writable "system" folder, as
// a build tree or an unpacked archive does, or can hold one and there is no installed data) keeps
// everything beside the program; an installed run keeps its data in the per-user XDG folders.
#include <string>

namespace kestrel {

struct AppPaths {
    std::string apppath;   // folder of the running program
    std::string syspath;   // data folder: name/style texts, "bmps", "b2".."b5"
    std::string userdir;   // where "untitled.txt", "untitled.typ", "temp.img" go
    std::string statefile; // "kestrel.dat"
    std::string sampleMap; // the bundled "test.img"
    bool portable = true;

    // Resolves the folders for a program living in `apppath`; `installedData` is the installed
    // data folder (<prefix>/share/kestrel/system) used to seed a new per-user data folder.
    static AppPaths resolve(const std::string& apppath, const std::string& installedData);
};

} // namespace kestrel
