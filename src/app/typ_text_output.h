#pragma once
// The session's TYP text: the parts of the session the writer reads and changes, and "Create TYP
// file" / "Save as text" with what the session keeps about them.
#include <functional>
#include <random>
#include <string>

#include "app/session.h"
#include "typtext/createtxt.h"

namespace kestrel {

TypTextContext typTextWriting(Session& session, UiPort& ui);

// `createtxt` on the session: its code page, `typfile`, TYP editor and program folder.
CreateTxtResult createTypText(Session& session, UiPort& ui, Launcher& launcher, std::mt19937& rng,
                              const std::function<bool(std::string& typfile)>& fileNameWindow,
                              bool editorIcon);

} // namespace kestrel
