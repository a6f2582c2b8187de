#pragma once
// Where a command's file goes: to stdout for "-", else into the file, which is replaced whole
// or left as it was.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"

namespace kestrel::cli {

// Why the output may not be written (one of the files read, a directory or anything else that is
// not a regular file), before any work is done; nothing when it may.
std::optional<std::string> refuseOutput(const std::string& out,
                                        const std::vector<std::string>& inputs = {});
// Writes the bytes; why that failed, when it did.
std::optional<WriteFailure> writeOutput(const std::string& out, std::string_view bytes);
// "cannot write OUT: REASON".
std::string cannotWriteText(const std::string& out, const WriteFailure& failure);

} // namespace kestrel::cli
