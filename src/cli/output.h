#pragma once
// Where a command's file goes: to stdout for "-", else into the file, which is replaced whole
// or left as it was; and what may stand at the output's name.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace kestrel::cli {

// What a file already at the output's name may be.
enum class Existing {
    // Replaced, but a Garmin map or a binary TYP only with --force (a mistyped name must not cost
    // a map): typ, and every command that writes a text or a TYP from what it reads.
    ReplacedUnlessGarmin,
    // Replaced only with --force, and a Garmin map never: gen, and map-typ's extracted TYPs.
    ReplacedWithForce,
    // Replaced only with --force, a Garmin map too: put-typ, whose output is itself a map (one
    // written before, say).
    ReplacedWithForceMapsToo,
};

struct OutputRules {
    std::vector<std::string> inputs = {}; // the files the command reads: never its output
    bool force = false;                   // --force was given
    Existing existing = Existing::ReplacedUnlessGarmin;
};

// Why the output may not be written, before any work is done; nothing when it may. Refused: one
// of the inputs, a folder or anything else that is not a regular file, and an existing file the
// rules keep. "-" (stdout) always may. A command checks its output in one line and refuses it as
// a usage error:
//     if (const auto refused = refuseOutput(o.out, {.inputs = o.maps, .force = o.force}))
//         return usageError(*refused);
std::optional<std::string> refuseOutput(const std::string& out, const OutputRules& rules = {});
// Writes the bytes; why that failed, when it did. "-" writes to stdout and flushes it.
std::optional<WriteFailure> writeOutput(const std::string& out, std::string_view bytes);
// "cannot write OUT: REASON".
std::string cannotWriteText(const std::string& out, const WriteFailure& failure);
// Writes the text to stdout and flushes it, with what was written there before; false, and the
// error said on stderr, when that failed. Every command ends with it, so that an output lost to a
// full disk or a closed pipe is an error, not a silent success.
bool writeStdout(std::string_view text);

} // namespace kestrel::cli
