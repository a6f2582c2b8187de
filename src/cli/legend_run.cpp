// `kestrel-cli legend` where the build draws: reads the input (and the map), refuses what cannot be
// drawn, writes the sheet.
#include <string>

#include "base/text.h"
#include "cli/cli_ui.h"
#include "cli/exit_status.h"
#include "cli/legend_command.h"
#include "cli/messages.h"
#include "cli/options.h"
#include "cli/output.h"
#include "legend/legend_texts.h"
#include "legend/sheet_html.h"
#include "legend/sheet_picture.h"

namespace kestrel::cli {
namespace {

// The format asked for, else the one the output's name ends in; empty when neither says.
std::string formatOf(const LegendOptions& o) {
    if (!o.format.empty()) return o.format;
    const std::string name = lcase(o.out);
    for (const std::string_view f : {"png", "svg", "html"})
        if (endsWith(name, concat({".", f}))) return std::string(f);
    return endsWith(name, ".htm") ? "html" : "";
}

} // namespace

int runLegend(const LegendOptions& o, const CommonOptions& common) {
    const std::string format = formatOf(o);
    if (format.empty()) {
        printError(kLegendFormatUnknown);
        return kUsage;
    }
    std::vector<std::string> inputs{o.in};
    if (!o.map.empty()) inputs.push_back(o.map);
    if (const auto refused = refuseOutput(o.out, {.inputs = inputs, .force = o.force})) {
        printError(*refused);
        return kUsage;
    }
    legend::InputRead read = legend::readLegendInput(o.in);
    if (const auto* fault = std::get_if<legend::InputFault>(&read)) {
        printError(escapeControls(skippedMap(o.in, legend::inputFaultText(*fault))));
        return kFailed;
    }
    legend::LegendInput& input = std::get<legend::LegendInput>(read);
    if (const auto fault = legend::sheetFault(input.typ)) {
        printError(skippedMap(o.in, legend::sheetFaultText(*fault)));
        return kFailed;
    }
    CliUiPort ui(common.quiet);
    std::optional<legend::MapUse> use;
    if (!o.map.empty()) {
        auto scanned = legend::readMapUse(o.map, ui);
        if (const auto* why = std::get_if<Unreadable>(&scanned)) {
            printError(skippedMap(o.map, describe(*why)));
            return kFailed;
        }
        use = std::move(std::get<legend::MapUse>(scanned));
    }
    const std::string title = legend::legendTitle(
        o.in, input, o.map.empty() ? std::nullopt : std::optional<std::string_view>(o.map));
    const legend::Sheet sheet = legend::makeSheet(std::move(input.typ), use);
    std::string bytes;
    if (format == "html") {
        bytes = legend::sheetHtml(sheet, title);
    } else {
        auto picture = legend::sheetPicture(sheet, title,
                                            format == "png" ? legend::PictureFormat::Png
                                                            : legend::PictureFormat::Svg);
        if (const auto* large = std::get_if<legend::TooLargeForPicture>(&picture)) {
            printError(skippedMap(o.in, legend::tooLargeText(*large)));
            return kFailed;
        }
        bytes = std::move(std::get<std::string>(picture));
    }
    if (const auto failed = writeOutput(o.out, bytes)) {
        printError(cannotWriteText(o.out, *failed));
        return kFailed;
    }
    if (input.typsInMap > 1)
        ui.note(skippedMap(o.in, firstOfSeveralTyps(input.typsInMap, input.typName)));
    if (input.readNotes) ui.note(skippedMap(o.in, legendReadNotes(input.readNotes)));
    if (use && use->incomplete) ui.note(skippedMap(o.map, kLegendMapIncomplete));
    ui.note(
        wrote(o.out, legendContents(sheet.polygons.size(), sheet.lines.size(), sheet.points.size(),
                                    sheet.unstyled.size(), sheet.withMap)));
    return input.readNotes ? kSomeSkipped : kDone;
}

} // namespace kestrel::cli
