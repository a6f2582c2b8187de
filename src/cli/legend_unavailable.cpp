// `kestrel-cli legend` in a build without Cairo (the Windows cross-build): the command is listed
// as everywhere, and says that this build cannot draw.
#include "cli/cli_ui.h"
#include "cli/legend_command.h"
#include "cli/messages.h"
#include "cli/options.h"

namespace kestrel::cli {

int runLegend(const LegendOptions&, bool) {
    printError(kLegendUnavailable);
    return kFailed;
}

} // namespace kestrel::cli
