// `kestrel-cli legend` in a build without Cairo (the Windows cross-build): the command is listed as
// everywhere, so that scripts, the help and the refusals of its options are the same everywhere,
// and says that this build cannot draw the legend.
#include "cli/cli_ui.h"
#include "cli/exit_status.h"
#include "cli/legend_command.h"
#include "cli/messages.h"
#include "cli/options.h"

namespace kestrel::cli {

int runLegend(const LegendOptions&, const CommonOptions&) {
    printError(kLegendUnavailable);
    return kFailed;
}

} // namespace kestrel::cli
