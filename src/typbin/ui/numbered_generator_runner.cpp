#include "typbin/ui/numbered_generator_runner.h"

#include "app/session.h"
#include "typbin/messages.h"
#include "typbin/typ_clock.h"
#include "typbin/ui/generator_dialog.h"

namespace kestrel {

std::optional<GenerateResult> runNumberedGenerator(int kind, Session& session, UiPort& ui,
                                                   Launcher& launcher, QWidget* parent) {
    const std::optional<GeneratorKind> k = generatorKindFromMenu(kind);
    if (!k) return std::nullopt;
    const std::string& folder =
        session.paths.userdir.empty() ? session.paths.apppath : session.paths.userdir;
    std::optional<GeneratorRequest> request;
    {
        GeneratorDialog dialog(*k, folder, ui, parent);
        if (dialog.exec() != QDialog::Accepted || !dialog.request()) return std::nullopt;
        request = dialog.request();
    }
    if (*k == GeneratorKind::ExtraPois) session.currentFile = request->path;

    GeneratorContext ctx{ui,
                         launcher,
                         session.typSlots,
                         TypHeaderInfo{typDateTimeNow(), codepageValue(session.settings.codepage)},
                         session.paths.apppath,
                         session.paths.syspath};
    const GenerateResult r = runGenerator(*request, ctx);
    if (r.status == GenerateStatus::WriteFailed) ui.message(typmsg::writeFailed(request->path));
    return r;
}

} // namespace kestrel
