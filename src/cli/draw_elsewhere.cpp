// `kestrel-cli legend`, which kestrel-cli does not draw itself: the drawing program installed with
// it (the same commands, built with Cairo) runs in its place with the same arguments. Every other
// command then starts without loading Cairo and the score of libraries it draws with, about 4 ms
// of each start.
#include <string>

#include "base/platform/platform.h"
#include "base/platform/posix.h"
#include "cli/cli_ui.h"
#include "cli/exit_status.h"
#include "cli/legend_command.h"
#include "cli/messages.h"
#include "cli/options.h"

namespace kestrel::cli {
namespace {

// Beside kestrel-cli in the build tree; in the installed tree where the build put it.
int runDrawingProgram(const CommonOptions& common) {
    const std::string here = platform::programFolder() + "/";
    std::string why;
    for (const std::string& path :
         {here + KESTREL_DRAWING_PROGRAM, here + KESTREL_DRAWING_PROGRAM_INSTALLED}) {
        why = platform::runInstead(path, common.arguments);
    }
    printError(drawingProgramMissing(KESTREL_DRAWING_PROGRAM, why));
    return kFailed;
}

} // namespace

int runLegend(const LegendOptions&, const CommonOptions& common) {
    return runDrawingProgram(common);
}

} // namespace kestrel::cli
