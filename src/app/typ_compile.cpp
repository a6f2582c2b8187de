#include "app/typ_compile.h"

#include <charconv>

#include "app/messages.h"
#include "base/files.h"
#include "base/paths.h"
#include "base/text.h"
#include "typfile/text_compile.h"
#include "typfile/text_messages.h"
#include "typfile/text_reader.h"

namespace kestrel {

namespace {

// A field that holds a whole number from 1 to the limit.
std::optional<std::uint16_t> fieldNumber(const std::string& field, unsigned limit) {
    unsigned v = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
    if (ec != std::errc{} || end != field.data() + field.size() || v < 1 || v > limit)
        return std::nullopt;
    return static_cast<std::uint16_t>(v);
}

// The identity of the map now open, for a text written for it in this run.
typ::IdentityOverride mapIdentity(const Session& session) {
    if (!session.txtdone || session.txtmap.empty() || session.txtmap != session.map.mapfile)
        return {};
    return {fieldNumber(session.map.fields.fid, 65000),
            fieldNumber(session.map.fields.productCode, 65535), std::nullopt};
}

} // namespace

std::string compiledTypName(const std::string& textPath) {
    const std::string name = fileName(textPath);
    const std::size_t dot = name.rfind('.');
    const std::size_t cut = dot == std::string::npos || dot == 0
                                ? textPath.size()
                                : textPath.size() - (name.size() - dot);
    return textPath.substr(0, cut) + ".typ";
}

bool compileTypText(const Session& session, UiPort& ui, const typ::DateTime& created) {
    const std::string& textPath = session.settings.typfile;
    if (textPath.empty()) {
        ui.message(std::string(kNoTypText));
        return false;
    }
    const std::optional<std::string> text = readFile(textPath, typ::kMaxTextSize);
    if (!text) {
        ui.message(cannotReadTypText(textPath));
        return false;
    }
    const typ::CompiledText c = typ::compileText(*text, mapIdentity(session), created);
    std::vector<std::string> warnings;
    for (const typ::TextNote& n : c.notes)
        warnings.push_back(escapeControls(lineNote(n.line, typ::warningText(n))));
    if (c.error) {
        ui.message(
            compileRefused(escapeControls(fileName(textPath)),
                           escapeControls(lineNote(c.error->line, typ::problemText(*c.error)))));
        return false;
    }
    const std::string out = compiledTypName(textPath);
    if (replaceFile(out, c.bytes)) {
        ui.message(cannotWriteTyp(out));
        return false;
    }
    ui.message(compiledTyp(fileName(out), c.typ.polygons.size(), c.typ.lines.size(),
                           c.typ.points.size(), c.bytes.size(), warnings));
    return true;
}

} // namespace kestrel
