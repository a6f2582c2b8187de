#include "typbin/generators.h"

#include <algorithm>
#include <optional>

#include "base/files.h"
#include "typbin/messages.h"
#include "typbin/typ_files.h"

namespace kestrel {

namespace {

std::uint32_t startValue(const GeneratorRequest& request, bool hexadecimal) {
    // No element of a start beyond 0xFFFF fits a 16-bit code or ID; holding it there keeps the
    // code arithmetic inside 32 bits.
    return static_cast<std::uint32_t>(
        std::min<std::uint64_t>(fieldValue(request.start, hexadecimal), 0x10000));
}

GenerateResult written(const ByteImage& image, std::uint32_t elements, const std::string& path,
                       UiPort& ui) {
    if (!savefile(path, image.bytes(), ui)) return {GenerateStatus::WriteFailed, elements, 0};
    return {GenerateStatus::Written, elements, image.size()};
}

GenerateResult finish(const std::optional<NumberedSections>& sections, GeneratorKind kind,
                      const GeneratorRequest& request, GeneratorContext& ctx) {
    if (!sections) return {GenerateStatus::Stopped, 0, 0};
    const ByteImage image = kind == GeneratorKind::ActiveRoutes
                                ? activeRouteFile(*sections, ctx.header)
                                : numberedFile(kind, *sections, ctx.header);
    const GenerateResult r = written(image, sections->count, request.path, ctx.ui);
    if (r.status == GenerateStatus::Written) ctx.launcher.openDefault(request.path, ctx.apppath);
    return r;
}

GenerateResult numbered(GeneratorKind kind, const GeneratorRequest& request,
                        GeneratorContext& ctx) {
    ctx.ui.setStopflag(false);
    return finish(buildNumberedSections(kind, startValue(request, true), request.count,
                                        request.ignoreSubtypes, request.lineWidth, ctx.ui),
                  kind, request, ctx);
}

} // namespace

bool savefile(const std::string& path, std::string_view bytes, UiPort& ui) {
    ui.busy(true);
    const bool ok = writeFileAtomic(path, bytes);
    ui.busy(false);
    return ok;
}

GenerateResult create_pois(const GeneratorRequest& request, GeneratorContext& ctx) {
    return numbered(GeneratorKind::Pois, request, ctx);
}

GenerateResult create_lines(const GeneratorRequest& request, GeneratorContext& ctx) {
    return numbered(GeneratorKind::Lines, request, ctx);
}

GenerateResult create_polygons(const GeneratorRequest& request, GeneratorContext& ctx) {
    return numbered(GeneratorKind::Polygons, request, ctx);
}

GenerateResult create_activelines(const GeneratorRequest& request, GeneratorContext& ctx) {
    ctx.ui.setStopflag(false);
    return finish(buildActiveRouteSections(startValue(request, true), request.count,
                                           request.lineWidth, ctx.ui),
                  GeneratorKind::ActiveRoutes, request, ctx);
}

GenerateResult create_extrapois(const GeneratorRequest& request, GeneratorContext& ctx) {
    ctx.ui.setStopflag(false);
    ctx.ui.busy(true);
    std::optional<ExtraPoiSections> sections = buildExtraPoiSections(
        startValue(request, false), request.count, ctx.ui, std::move(ctx.sections.slot[1]));
    ctx.sections.slot[1].clear(); // slot 1 only ever holds the records of the current run
    ctx.ui.busy(false);
    if (!sections) return {GenerateStatus::Stopped, 0, 0};

    ctx.sections.slot[1] = std::move(sections->icons);
    ctx.ui.progress(90);
    const GenerateResult r = savetypfile(true, sections->index, request.path, ctx);
    ctx.ui.progress(100);
    if (r.status == GenerateStatus::Written) {
        ctx.ui.message(std::string(kTypCreatedPrefix) + request.path);
        ctx.launcher.openDefault(request.path, ctx.apppath);
    }
    return r;
}

GenerateResult savetypfile(bool flag, const std::vector<ExtraPoiIndexItem>& index,
                           const std::string& path, GeneratorContext& ctx) {
    const ByteImage image = extraPoiFile(ctx.sections, index, flag, ctx.header, ctx.syspath);
    return written(image, static_cast<std::uint32_t>(index.size()), path, ctx.ui);
}

GenerateResult runGenerator(const GeneratorRequest& request, GeneratorContext& ctx) {
    switch (request.kind) {
    case GeneratorKind::ExtraPois:
        return create_extrapois(request, ctx);
    case GeneratorKind::Pois:
        return create_pois(request, ctx);
    case GeneratorKind::Lines:
        return create_lines(request, ctx);
    case GeneratorKind::Polygons:
        return create_polygons(request, ctx);
    case GeneratorKind::ActiveRoutes:
        return create_activelines(request, ctx);
    }
    return {GenerateStatus::WriteFailed, 0, 0};
}

} // namespace kestrel
