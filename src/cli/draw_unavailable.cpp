// `kestrel-cli legend` and `render` in a build without Cairo (the Windows cross-build): the
// commands are listed as everywhere, so that scripts, the help and the refusals of their options
// are the same everywhere, and say that this build cannot draw.
#include "cli/cli_ui.h"
#include "cli/exit_status.h"
#include "cli/legend_command.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/render_command.h"

namespace kestrel::cli {

int runLegend(const LegendOptions&, const CommonOptions&) {
    printError(kLegendUnavailable);
    return kFailed;
}

int runRender(const RenderOptions&, const CommonOptions&) {
    printError(kNoDrawing);
    return kFailed;
}

} // namespace kestrel::cli
