#include "cli/output.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "cli/messages.h"

namespace kestrel::cli {

std::string cannotWriteText(const std::string& out, const WriteFailure& failure) {
    switch (failure.kind) {
    case WriteFailure::Kind::Directory:
        return cannotWrite(out, msg::kIsDirectory);
    case WriteFailure::Kind::NotRegularFile:
        return cannotWrite(out, kNotRegularOutput);
    case WriteFailure::Kind::Abandoned:
        return cannotWrite(out, kWriteStopped);
    case WriteFailure::Kind::System:
        break;
    }
    return cannotWrite(out == kStdout ? kStdoutName : out, failure.systemText);
}

std::optional<std::string> refuseOutput(const std::string& out,
                                        const std::vector<std::string>& inputs) {
    if (out == kStdout) return std::nullopt;
    for (const std::string& input : inputs)
        if (sameFile(out, input)) return outputIsInput(out);
    if (const auto failure = checkReplaceable(out)) return cannotWriteText(out, *failure);
    return std::nullopt;
}

std::optional<WriteFailure> writeOutput(const std::string& out, std::string_view bytes) {
    if (out != kStdout) return replaceFile(out, bytes);
    errno = 0;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (written && std::fflush(stdout) == 0) return std::nullopt;
    return WriteFailure{WriteFailure::Kind::System, std::generic_category().message(errno)};
}

} // namespace kestrel::cli
