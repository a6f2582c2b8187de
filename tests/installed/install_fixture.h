#pragma once
// Builds installed Garmin map products on disk for the tests: a Wine prefix (system.reg, drive_c,
// dosdevices) and map packages, from the mkgmap-built map and TDB files of
// tests/fixtures/installed.
#include <string>

#include "installed/product_environment.h"
#include "support/temp_dir.h"

namespace kestrel::test {

// The committed fixtures: family 888 "Kestrel Lakes" (map + TDB + Info.xml) and the TDB files of
// families 889 "Kestrel Hills", 890 "Kestrel Dunes" and 891 "Kestrel Fens".
std::string lakesImg();
std::string lakesTdb();
std::string hillsTdb();
std::string dunesTdb();
std::string fensTdb();
std::string lakesInfoXml();

void copyFile(const std::string& from, const std::string& to); // creates the target's folders
void makeFolder(const std::string& path);
void writeText(const std::string& path, const std::string& text); // creates the folders
// The path with symbolic links resolved, as the Wine drive mapping returns it.
std::string canon(const std::string& path);

class FakeInstall {
  public:
    FakeInstall();

    const std::string& root() const { return dir_.path(); }
    // The Wine prefix: root/wine, with drive_c and dosdevices/c: -> ../drive_c.
    std::string prefix() const { return root() + "/wine"; }
    // A path on the prefix's drive C: ("Garmin/Lakes" -> prefix/drive_c/Garmin/Lakes).
    std::string driveC(const std::string& relative) const;
    void writeSystemReg(const std::string& text) const;

    // Installs the lakes map and the named TDB into the folder.
    void installMap(const std::string& folder, const std::string& tdb) const;
    // A map package below the prefix's ProgramData/Garmin/Maps with mkgmap's Info.xml (or the
    // given text), Product1 holding the map and the TDB; returns the package folder.
    std::string installPackage(const std::string& name, const std::string& tdb,
                               const std::string& infoXml) const;

    // An environment pointing at this prefix, with fsRoot = root() and user "kes".
    installed::ProductEnvironment environment() const;

  private:
    TempDir dir_;
};

} // namespace kestrel::test
