#pragma once
// One function per `kestrel-cli` command; each returns the process exit status
// (0 done, 1 nothing could be done, 2 usage error or refused input).
#include <string>
#include <vector>

namespace kestrel::cli {

using Args = std::vector<std::string>;

int scan(const Args& args);
// Reads maps like `scan` and writes the TYP source text for them.
int typ(const Args& args);
// Lists the installed map products (name, family ID, source, folder).
int products(const Args& args);
// Writes a binary TYP file of numbered POIs, lines, polygons, active routes or extra POIs.
int gen(const Args& args);

// Compares the running version with the published one and prints the result text.
int checkUpdateCommand(const Args& args);

} // namespace kestrel::cli
