#pragma once
// The `kestrel-cli` commands. Each registers itself and its options on the program's parser and
// returns what runs it once the arguments are parsed; the run returns the exit status. The
// common options are the program's, shared by every command.
#include "cli/options.h"

namespace kestrel::cli {

// Lists the types the maps use, as the main window shows them.
Command scanCommand(CLI::App& cli, CommonOptions& common);
// Reads maps like `scan` and writes the TYP source text for them.
Command typCommand(CLI::App& cli, CommonOptions& common);
// Compiles a TYP source text into a binary TYP file.
Command compileCommand(CLI::App& cli, CommonOptions& common);
// Lists the TYP files inside maps and writes them out.
Command mapTypCommand(CLI::App& cli, CommonOptions& common);
// Writes a copy of a map with a TYP file put into it.
Command putTypCommand(CLI::App& cli, CommonOptions& common);
// Lists the installed map products (name, family ID, source, folder).
Command productsCommand(CLI::App& cli, CommonOptions& common);
// Writes a binary TYP file of numbered POIs, lines, polygons, active routes or extra POIs.
Command genCommand(CLI::App& cli, CommonOptions& common);
// Writes the TYP source text of a binary TYP file.
Command decompileCommand(CLI::App& cli, CommonOptions& common);
// Writes the legend sheet of a TYP (PNG, SVG or HTML), beside a map when asked.
Command legendCommand(CLI::App& cli, CommonOptions& common);
// Draws a picture of a map with the styles of a TYP.
Command renderCommand(CLI::App& cli, CommonOptions& common);
// Compares the running version with the published one and prints the result.
Command checkUpdateCommand(CLI::App& cli, CommonOptions& common);

} // namespace kestrel::cli
