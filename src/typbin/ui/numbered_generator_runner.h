#pragma once
// Tools menu items 2 to 6: the generator dialog of the item's kind, then the generator. POIs,
// lines, polygons and active routes open the new file with the default handler; extra POIs first
// say "Created " + path.
#include <cstdint>
#include <optional>
#include <string>

#include "typbin/generators.h"

class QWidget;

namespace kestrel {

// What the generator items need from the program, and what they change: the extra POI sections
// kept between runs, and the file the window's caption names.
struct NumberedGeneratorSetup {
    TypSectionSlots& sections;
    std::string& currentFile;   // becomes the extra POI file while that is made
    std::string folder;         // where the dialog proposes the new file
    std::string apppath;        // working folder of the program that opens the new file
    std::string syspath;        // data folder holding the optional sections "b2".."b5"
    std::uint16_t codepage = 0; // written in the header
};

// Nothing when the item is not a generator or the dialog was closed. A file that could not be
// written is reported through `ui`.
std::optional<GenerateResult> runNumberedGenerator(int kind, const NumberedGeneratorSetup& setup,
                                                   UiPort& ui, Launcher& launcher,
                                                   QWidget* parent = nullptr);

} // namespace kestrel
