#include "typbin/ui/numbered_generator_runner.h"

#include "typbin/messages.h"
#include "typfile/typ_clock.h"
#include "typbin/ui/generator_dialog.h"

namespace kestrel {

std::optional<GenerateResult> runNumberedGenerator(int kind, const NumberedGeneratorSetup& setup,
                                                   UiPort& ui, Launcher& launcher,
                                                   QWidget* parent) {
    const std::optional<GeneratorKind> k = generatorKindFromMenu(kind);
    if (!k) return std::nullopt;
    std::optional<GeneratorRequest> request;
    {
        GeneratorDialog dialog(*k, setup.folder, ui, parent);
        if (dialog.exec() != QDialog::Accepted || !dialog.request()) return std::nullopt;
        request = dialog.request();
    }
    if (*k == GeneratorKind::ExtraPois) setup.currentFile = request->path;

    GeneratorContext ctx{ui,
                         launcher,
                         setup.sections,
                         TypHeaderInfo{typ::dateTimeNow(), setup.codepage},
                         setup.apppath,
                         setup.syspath};
    const GenerateResult r = runGenerator(*request, ctx);
    if (r.status == GenerateStatus::WriteFailed) ui.message(typWriteFailed(request->path));
    return r;
}

} // namespace kestrel
