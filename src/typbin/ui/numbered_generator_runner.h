#pragma once
// Tools menu items 2 to 6: the generator dialog of the item's kind, then the generator. POIs,
// lines, polygons and active routes open the new file with the default handler; extra POIs first
// say "Created " + path.
#include <optional>

#include "typbin/generators.h"

class QWidget;

namespace kestrel {

struct Session;

// Nothing when the item is not a generator or the dialog was closed. A file that could not be
// written is reported through `ui`.
std::optional<GenerateResult> runNumberedGenerator(int kind, Session& session, UiPort& ui,
                                                   Launcher& launcher, QWidget* parent = nullptr);

} // namespace kestrel
