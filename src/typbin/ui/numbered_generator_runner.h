#pragma once
// Tools menu items 2 to 6: the generator dialog of the item's kind, then the generator. POIs,
// lines, polygons and active routes open the new file with the default handler; extra POIs first
// say "Created " + path.
#include <optional>

// GeneratorContext has a member named like Qt's "slots" keyword macro; keep the macro away from it
// when a window that already included Qt includes this header.
#pragma push_macro("slots")
#undef slots
#include "typbin/generators.h"
#pragma pop_macro("slots")

class QWidget;

namespace kestrel {

struct Session;

// Nothing when the item is not a generator or the dialog was closed. A file that could not be
// written is reported through `ui`.
std::optional<GenerateResult> runNumberedGenerator(int kind, Session& session, UiPort& ui,
                                                   Launcher& launcher, QWidget* parent = nullptr);

} // namespace kestrel
