#pragma once
// The five numbered-element generators of the Tools menu: each builds its sections, writes the
// whole file beside the target and renames it over the target, then opens the new file with the
// desktop's default handler.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/files.h"
#include "base/launcher.h"
#include "base/uiport.h"
#include "typbin/generator_request.h"
#include "typbin/record_encoders.h"
#include "typbin/section_slots.h"
#include "typbin/typ_header.h"

namespace kestrel {

// What a generator run needs from its caller. The caller owns the slots for as long as the
// program runs; the command line passes a launcher that opens nothing.
struct GeneratorContext {
    UiPort& ui;
    Launcher& launcher;
    TypSectionSlots& sections; // not "slots": that is a macro in windows that include Qt
    TypHeaderInfo header;      // date and time (from an injected clock) and code page
    std::string apppath;       // working folder of the program that opens the new file
    std::string syspath;       // data folder holding the optional sections "b2".."b5"
    // Where the file goes: replaced on disk, unless the caller sends it elsewhere.
    std::function<std::optional<WriteFailure>(const std::string&, std::string_view)> write =
        replaceFile;
};

enum class GenerateStatus {
    Written,     // the file was written and handed to the launcher
    Stopped,     // the user raised the stop flag; nothing was written
    WriteFailed, // the file could not be written; an existing file is untouched
};

struct GenerateResult {
    GenerateStatus status = GenerateStatus::Written;
    std::uint32_t elements = 0; // elements in the file
    std::uint64_t bytes = 0;    // file size
    WriteFailure failure{};     // for WriteFailed: why
};

// `savefile`: replaces the file's content with the bytes through the context's `write`, busy
// pointer on around the write. On failure an existing file is left as it was.
std::optional<WriteFailure> savefile(const std::string& path, std::string_view bytes,
                                     GeneratorContext& ctx);

// `create_pois`, `create_lines`, `create_polygons`, `create_activelines`: the file of the request
// (start in hexadecimal); opened without a message once written.
GenerateResult create_pois(const GeneratorRequest& request, GeneratorContext& ctx);
GenerateResult create_lines(const GeneratorRequest& request, GeneratorContext& ctx);
GenerateResult create_polygons(const GeneratorRequest& request, GeneratorContext& ctx);
GenerateResult create_activelines(const GeneratorRequest& request, GeneratorContext& ctx);
// `create_extrapois`: the extra POI file (start in decimal), with progress and busy pointer; once
// written, the message "Created " + path, then the file is opened.
GenerateResult create_extrapois(const GeneratorRequest& request, GeneratorContext& ctx);

// `savetypfile`: writes the extra POI file from the slots (slot 1 already holding the icon
// records) and the index; see extraPoiFile for `flag`.
GenerateResult savetypfile(bool flag, const std::vector<ExtraPoiIndexItem>& index,
                           const std::string& path, GeneratorContext& ctx);

// The generator of the request's kind.
GenerateResult runGenerator(const GeneratorRequest& request, GeneratorContext& ctx);

} // namespace kestrel
