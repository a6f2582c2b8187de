#pragma once
// Where the product scans look, from the environment of the process. Everything they need from
// outside passes through this struct, so tests point it at folders of their own.
#include <string>
#include <vector>

#include "base/platform/platform.h"

namespace kestrel::installed {

using Platform = platform::System;

struct ProductEnvironment {
    Platform platform = platform::kSystem; // whose places are looked at
    std::string wineprefix;                // $WINEPREFIX
    std::string home;                      // $HOME (%USERPROFILE% on Windows)
    std::string user;                      // $USER (%USERNAME% on Windows)
    std::string programData;               // %ProgramData%
    // Put in front of the machine-wide folders (/media, /run/media, /Volumes, /Library); empty
    // except in tests.
    std::string fsRoot;
    // Windows: roots of the removable drives ("E:\"), where Garmin devices appear.
    std::vector<std::string> removableDrives;

    static ProductEnvironment fromProcess();

    // The Wine prefix whose registry and drive C: stand in for Windows': $WINEPREFIX, or
    // ~/.wine.
    std::string winePrefix() const;
};

// Folders holding map packages (".gmap" folders), in scan order.
std::vector<std::string> mapPackageFolders(const ProductEnvironment& env);
// Mounted volumes that may be Garmin devices: the folders below /media/$USER and
// /run/media/$USER (Linux) or /Volumes (macOS), the removable drives on Windows.
std::vector<std::string> deviceVolumes(const ProductEnvironment& env);

} // namespace kestrel::installed
