#pragma once
// "Compile": the TYP text written last (`typfile`) made into NAME.typ beside it, as mkgmap makes
// it. When that text was written in this run for the map now open, the map's family ID and product
// code (the fields) go into the file, whatever the text's [_id] says.
#include <string>

#include "app/session.h"
#include "base/uiport.h"
#include "typfile/typ_clock.h"

namespace kestrel {

// NAME.typ for NAME.txt (or NAME without an extension).
std::string compiledTypName(const std::string& textPath);

// Says the outcome through the port: what was written and the warnings, or the line and reason
// the text was refused for. True when NAME.typ was written.
bool compileTypText(const Session& session, UiPort& ui, const typ::DateTime& created);

} // namespace kestrel
