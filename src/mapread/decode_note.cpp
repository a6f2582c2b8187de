#include "mapread/decode_note.h"

#include <cstdio>
#include <string_view>

#include "base/text.h"

namespace kestrel {
namespace {

const char* reason(DecodeStop why) {
    switch (why) {
    case DecodeStop::NotAContainer:
        return "not an IMG container";
    case DecodeStop::DirectoryDamaged:
        return "directory damaged";
    case DecodeStop::MissingSubfile:
        return "TRE or RGN subfile missing";
    case DecodeStop::LevelsLocked:
        return "map levels locked";
    case DecodeStop::LevelsDamaged:
        return "map levels or subdivisions damaged";
    case DecodeStop::ExtendedOffsetsDamaged:
        return "extended type offsets damaged";
    case DecodeStop::SubdivisionDamaged:
        return "subdivision data out of place";
    case DecodeStop::RecordDamaged:
        return "record runs past its range";
    case DecodeStop::ShapeDamaged:
        return "object's coordinates damaged";
    case DecodeStop::TooManyPoints:
        return "too many points";
    case DecodeStop::NtFallback:
        return "NT map: cannot decode, fall back";
    case DecodeStop::Stopped:
        return "stopped";
    }
    return "";
}

} // namespace

std::string describe(const DecodeNote& note) {
    if (note.why == DecodeStop::NtFallback) return reason(note.why);
    // A tile's name comes from the file: it reaches terminals and windows escaped.
    std::string where = escapeControls(note.tile);
    const auto add = [&where](std::string_view part) {
        if (!where.empty()) where += ' ';
        where += part;
    };
    if (!note.subfile.empty()) add(note.subfile);
    if (note.offset >= 0) {
        char at[32];
        std::snprintf(at, sizeof at, "at 0x%llX", static_cast<unsigned long long>(note.offset));
        add(at);
    }
    return where.empty() ? reason(note.why) : where + ": " + reason(note.why);
}

} // namespace kestrel
