// `kestrel-cli render` where the build draws: reads the map and the styles, draws, writes the PNG.
#include <string>
#include <variant>

#include "cli/cli_ui.h"
#include "cli/exit_status.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/output.h"
#include "cli/render_command.h"
#include "legend/legend_input.h"
#include "legend/legend_texts.h"
#include "mapdraw/map_picture.h"
#include "mapread/decode_note.h"
#include "maptyp/map_file.h"

namespace kestrel::cli {

int runRender(const RenderOptions& o, const CommonOptions& common) {
    CliUiPort ui(common.quiet);
    MapBuffer buf;
    if (const auto why = buf.open(o.map)) {
        printError(skippedMap(o.map, describe(*why)));
        return kFailed;
    }
    buf.setKey(buf.rawFirstByte());
    // The styles: the TYP given, else the map's own, else none.
    std::optional<legend::InputRead> styles;
    if (!o.typ.empty())
        styles = legend::readLegendInput(o.typ);
    else if (std::holds_alternative<maptyp::MapFile>(maptyp::MapFile::open(o.map)))
        styles = legend::readLegendInput(o.map);
    const legend::InputFault* fault = styles ? std::get_if<legend::InputFault>(&*styles) : nullptr;
    if (fault && (!o.typ.empty() || fault->problem != legend::InputProblem::MapWithoutTyp)) {
        printError(escapeControls(
            skippedMap(o.typ.empty() ? o.map : o.typ, legend::inputFaultText(*fault))));
        return kFailed;
    }
    const auto* typ = styles ? std::get_if<legend::LegendInput>(&*styles) : nullptr;
    const auto [width, height] = *pictureSize(o.size);
    const mapdraw::MapPictureResult picture =
        mapdraw::drawMap(buf, typ ? &typ->typ : nullptr, {o.level, width, height, o.whole}, ui);
    for (const DecodeNote& n : picture.notes)
        if (n.why != DecodeStop::ShapeDamaged) ui.note(skippedMap(o.map, describe(n)));
    if (picture.fault) {
        printError(skippedMap(
            o.map, picture.fault == mapdraw::PictureFault::NoTiles ? kNoMapTiles : kCannotDraw));
        return kFailed;
    }
    if (!typ) ui.note(plainStyles(o.map));
    if (picture.damagedShapes) ui.note(shapesLeftOut(o.map, picture.damagedShapes));
    if (const auto failed = writeOutput(o.out, picture.png)) {
        printError(cannotWriteText(o.out, *failed));
        return kFailed;
    }
    ui.note(wrote(o.out, pictureText(width, height, picture.shapes)));
    return picture.notes.empty() ? kDone : kSomeSkipped;
}

} // namespace kestrel::cli
