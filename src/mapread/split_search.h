#pragma once
// The signature search of a big file on two threads. Each copies and searches every other stretch
// of the file, so that two copies from the system's file cache run at once and each thread's bytes
// stay in its own processor's cache. The first of each signature is the smallest position either
// thread finds; a thread stops at a stretch that starts past the first of all three.
#include <cstddef>
#include <optional>

#include "base/uiport.h"
#include "mapread/map_buffer.h"
#include "mapread/signature_search.h"

namespace kestrel {

// The positions, as one pass front to back finds them, in stretches of `stretch` bytes; nothing
// when a stretch could not be read whole (the file shrank, or the system failed): then only a pass
// front to back says what the file still holds. Yields between the stretches of the calling thread.
std::optional<Signatures> findSignaturesSplit(const MapBuffer& buf, UiPort& ui,
                                              std::size_t stretch);

} // namespace kestrel
