#include "cli/output.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#include "base/paths.h"
#include "cli/cli_ui.h"
#include "cli/messages.h"
#include "mapread/garmin_content.h"

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

std::optional<std::string> refuseOutput(const std::string& out, const OutputRules& rules) {
    if (out == kStdout) return std::nullopt;
    for (const std::string& input : rules.inputs)
        if (sameFile(out, input)) return outputIsInput(out);
    if (const auto failure = checkReplaceable(out)) return cannotWriteText(out, *failure);
    // An existing file that cannot be read may be anything: it is replaced only with --force.
    const std::optional<std::string> head = readFileHead(out, kGarminHeadSize);
    if (!head && !fileExists(out)) return std::nullopt;
    const GarminContent held =
        head ? garminContent({reinterpret_cast<const std::uint8_t*>(head->data()), head->size()})
             : GarminContent::None;
    if (rules.existing == Existing::ReplacedWithForce) {
        if (held == GarminContent::Map) return neverOverMap(out);
        if (!rules.force) return existsUseForce(out);
    } else if (rules.existing == Existing::ReplacedWithForceMapsToo) {
        if (!rules.force)
            return held == GarminContent::None
                       ? existsUseForce(out)
                       : garminFileUseForce(out, held == GarminContent::Typ);
    } else if (!rules.force && (!head || held != GarminContent::None)) {
        return head ? garminFileUseForce(out, held == GarminContent::Typ) : existsUseForce(out);
    }
    return std::nullopt;
}

std::optional<WriteFailure> writeOutput(const std::string& out, std::string_view bytes) {
    if (out != kStdout) return replaceFile(out, bytes);
    errno = 0;
    // An empty view may hold no pointer at all, which fwrite must not be given.
    const bool written =
        bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size();
    if (written && std::fflush(stdout) == 0 && !std::ferror(stdout)) return std::nullopt;
    const int error = errno != 0 ? errno : EIO;
    std::clearerr(stdout); // said once: what was lost is not said again at the end
    return WriteFailure{WriteFailure::Kind::System, std::generic_category().message(error)};
}

bool writeStdout(std::string_view text) {
    const auto failed = writeOutput(std::string(kStdout), text);
    if (failed) printError(cannotWriteText(std::string(kStdout), *failed));
    return !failed;
}

} // namespace kestrel::cli
